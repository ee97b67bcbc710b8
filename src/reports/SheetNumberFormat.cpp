#include "reports/SheetNumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace pyrostat {

namespace {

std::string Group(const std::string& digits, char groupSeparator) {
    std::string out;
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        out += digits[i];
        const size_t left = n - i - 1;
        if (left > 0 && left % 3 == 0) {
            out += groupSeparator;
        }
    }
    return out;
}

std::string Fixed(double value, int decimals, bool grouped, char decimalSeparator,
                  char groupSeparator) {
    const double scale = std::pow(10.0, decimals);
    // The shortest decimal form of the value (17 digits) decides the half,
    // not the binary value just under it: 0.00005 is a half.
    // (to_chars with a precision writes what printf's "%.15g" and "%.*f" do.)
    // Only a value within a hair of a half can round otherwise from its
    // shortest form than from itself; the others are rounded as they are.
    double magnitude = std::fabs(value);
    const double scaled = magnitude * scale;
    if (scaled < 1e9 && std::fabs(scaled - std::floor(scaled) - 0.5) > 1e-6) {
        magnitude = std::floor(scaled + 0.5) / scale;
    } else {
        char exact[64];
        const auto shortest =
            std::to_chars(exact, exact + sizeof exact, magnitude, std::chars_format::general, 15);
        std::from_chars(exact, shortest.ptr, magnitude);
        magnitude = std::floor(magnitude * scale + 0.5) / scale;
    }
    char buffer[400];
    const auto fixed = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                     std::chars_format::fixed, decimals);
    if (fixed.ec != std::errc()) {
        return "#ΤΙΜΗ!"; // more digits than any cell shows
    }
    const std::string text(buffer, fixed.ptr);
    std::string intPart = text;
    std::string decPart;
    const size_t point = text.find('.');
    if (point != std::string::npos) {
        intPart = text.substr(0, point);
        decPart = text.substr(point + 1);
    }
    std::string out = value < 0 && magnitude != 0 ? "-" : "";
    out += grouped ? Group(intPart, groupSeparator) : intPart;
    if (decimals > 0) {
        out += decimalSeparator;
        out += decPart;
    }
    return out;
}

std::string General(double value, char decimalSeparator) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.10g", value);
    std::string text = buffer;
    if (text.find('e') != std::string::npos || text.find('E') != std::string::npos) {
        return text;
    }
    for (char& ch : text) {
        if (ch == '.') {
            ch = decimalSeparator;
        }
    }
    return text;
}

} // namespace

std::string FormatSheetNumber(double value, const std::string& format, char decimalSeparator,
                              char groupSeparator) {
    if (!std::isfinite(value)) {
        return "#ΤΙΜΗ!";
    }
    if (format.empty() || format == "General" || format == "@") {
        return General(value, decimalSeparator);
    }
    const size_t point = format.find('.');
    const std::string intPattern = format.substr(0, point);
    int decimals = 0;
    if (point != std::string::npos) {
        for (size_t i = point + 1; i < format.size() && format[i] == '0'; ++i) {
            ++decimals;
        }
    }
    const bool grouped = intPattern.find(',') != std::string::npos;
    return Fixed(value, decimals, grouped, decimalSeparator, groupSeparator);
}

} // namespace pyrostat
