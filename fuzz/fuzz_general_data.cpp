#include "FuzzSupport.h"
#include "platform/FileAccess.h"
#include "studies/GeneralDataFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

// The general-data file comes from disk and from a study's companion file:
// reading must never fail on any bytes, and what it reads must write back and
// read again to the same texts.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = pyrostat::fuzz::PlaceInput("Thema.tmp", data, size);
    std::string bytes;
    if (pyrostat::ReadRegularFile(path, bytes) != pyrostat::FileProblem::None) {
        return 0;
    }
    pyrostat::GeneralData first;
    pyrostat::ParseGeneralData(bytes, first);
    if (first.Employer.find('"') != std::string::npos) {
        std::abort();
    }
    pyrostat::GeneralData second;
    pyrostat::ParseGeneralData(pyrostat::FormatGeneralData(first), second);
    if (second.Employer != first.Employer || second.Project != first.Project ||
        second.Location != first.Location) {
        // Values that hold line breaks or commas cannot come back unchanged;
        // everything else must.
        for (const std::string* t : {&first.Employer, &first.Project, &first.Location}) {
            if (t->find_first_of(",\r\n") != std::string::npos) {
                return 0;
            }
        }
        std::abort();
    }
    return 0;
}
