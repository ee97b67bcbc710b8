#include "FuzzSupport.h"
#include "studies/MemoryStudyFields.h"
#include "studies/StudyFile.h"
#include "workspace/MemoryGrid.h"

#include <cstdlib>

// A study file and its companion from anywhere: opening must load what it can
// and never read past the end or crash. The first byte splits the input into
// the ".pyx" and the ".tpx".
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pyrostat;
    size_t split = size;
    if (size > 0) {
        split = std::min<size_t>(size, 1 + static_cast<size_t>(data[0]) * 8);
    }
    // Each half chooses, by its first byte, what stands at its path.
    const uint8_t* studyBytes = data;
    size_t studySize = split;
    const uint8_t* companion = data + split;
    size_t companionSize = size - split;
    const std::string path = fuzz::PlaceInput("s.pyx", studyBytes, studySize);
    fuzz::PlaceInput("s.tpx", companion, companionSize);
    MemoryGrid grid(NumberLocale::Greek());
    ProgramState state;
    state.ProgramFolder = fuzz::Folder();
    state.DecimalSeparatorCode = ',';
    state.ThousandsSeparatorCode = '.';
    fuzz::SilentMessages messages;
    MemoryStudyFields fields;
    StudyFile study(grid, state, messages, fields);
    study.OpenFile(path);
    if (grid.DataRowCnt() > 500) {
        std::abort();
    }
    return 0;
}
