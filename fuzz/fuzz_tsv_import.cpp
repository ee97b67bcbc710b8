#include "FuzzSupport.h"
#include "app/ConvertCommand.h"
#include "studies/StudyRecords.h"
#include "studies/StudyText.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string_view>

// The tab-separated text of the convert command, through the command itself:
// every value goes through the grid's rules, nothing refused may slip into
// the study, and whatever stands at the text's path is told, never a crash.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pyrostat;
    const std::string text = fuzz::PlaceInput("in.txt", data, size);
    const std::string study = fuzz::Folder() + "out.pyx";
    for (const char decimal : {',', '.'}) {
        ProgramState state;
        state.DecimalSeparatorCode = decimal;
        state.ThousandsSeparatorCode = decimal == ',' ? '.' : ',';
        std::istringstream in;
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunConvertCommand({text, study}, state, in, out, err);
        if (status != 0 && err.str().empty()) {
            std::abort(); // a refusal must say why
        }
    }
    return 0;
}
