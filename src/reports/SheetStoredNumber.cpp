#include "reports/SheetStoredNumber.h"

#include "workspace/NumberText.h"

#include <charconv>
#include <cmath>

namespace pyrostat {

double SheetStoredNumber(double value, const std::string& format) {
    if (!std::isfinite(value)) {
        return value;
    }
    const float single = static_cast<float>(value);
    if (static_cast<double>(single) != value) {
        return value; // computed in double precision: stored as it is
    }
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, single);
    double shortest = 0;
    if (written.ec != std::errc() ||
        std::from_chars(text, written.ptr, shortest).ec != std::errc()) {
        return value;
    }
    const NumberLocale locale = NumberLocale::Greek();
    return FormatSheetNumber(shortest, format, locale) == FormatSheetNumber(value, format, locale)
               ? shortest
               : value;
}

} // namespace pyrostat
