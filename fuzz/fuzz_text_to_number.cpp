#include "workspace/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

// Any text a cell, a reading or a cost can hold reads without trouble in both
// locales, and what a cell takes it shows back as the same number.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pyrostat;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const NumberLocale locale : {NumberLocale::Greek(), NumberLocale::English()}) {
        if (const auto cell = ParseCellNumber(text, locale)) {
            if (!std::isfinite(*cell) ||
                ParseCellNumber(FormatCellNumber(*cell, locale), locale) != cell) {
                std::abort();
            }
        }
        if (const auto number = ReadNumber(text, locale); number && !std::isfinite(number->value)) {
            std::abort();
        }
        (void)ParseEuroCents(text, locale);
    }
    (void)ReadNumberEitherWay(text);
    (void)ParseEuroCents(text);
    return 0;
}
