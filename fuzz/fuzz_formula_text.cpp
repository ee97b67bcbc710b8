#include "FuzzSupport.h"
#include "distribution/FormulaFactors.h"
#include "distribution/FormulaTextFile.h"
#include "platform/FileAccess.h"

#include <cstdint>
#include <string_view>

// "~mirttype.txt" and the readers of its numbers: the results window's
// factors and the export's fixed places, on any line.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pyrostat;
    // Read from disk as the results window and the export read it.
    const std::string path = fuzz::PlaceInput("~mirttype.txt", data, size);
    std::string bytes;
    if (ReadRegularFile(path, bytes) != FileProblem::None) {
        return 0;
    }
    const auto lines = ParseQuotedLines(bytes);
    int k = -2;
    for (const auto& line : lines) {
        ++k;
        (void)ConstructFactors(line);
        (void)FactorsAtPositions(line, k < 1 ? 1 : k);
        (void)FromCommaToPoint(line);
    }
    return 0;
}
