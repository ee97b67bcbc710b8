#include "studies/SheetRows.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace pyrostat {

std::string SheetNumberText(const std::string& stored) {
    double value = 0;
    const char* begin = stored.data();
    const char* end = begin + stored.size();
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) {
        return stored; // not a number after all: the cell rules will say so
    }
    if (std::fabs(value) >= 1e15) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
        return buffer;
    }
    // The shortest text that reads back as the same double.
    char buffer[64];
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*f", precision > 15 ? 15 : precision, value);
        double back = 0;
        std::from_chars(buffer, buffer + std::char_traits<char>::length(buffer), back);
        if (back == value || precision >= 15) {
            break;
        }
    }
    std::string text(buffer);
    if (text.find('.') != std::string::npos) {
        while (!text.empty() && text.back() == '0') {
            text.pop_back();
        }
        if (!text.empty() && text.back() == '.') {
            text.pop_back();
        }
    }
    return text == "-0" ? "0" : text;
}

} // namespace pyrostat
