#include "distribution/TextToNumber.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

// Any text a cell can hold must convert without trouble, in both locales,
// and leave the shared status word clear.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const auto& [decimal, group] : {std::pair{',', '.'}, std::pair{'.', ','}}) {
        pyrostat::ProgramState state;
        state.DecimalSeparatorCode = decimal;
        state.ThousandsSeparatorCode = group;
        const double value = pyrostat::TextToNumber(state, text);
        if (state.StatusCode != 0 || std::isnan(value)) {
            std::abort();
        }
    }
    return 0;
}
