#include "billing/BillNumber.h"

#include "workspace/CellRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace pyrostat {

namespace {

// The number of a text already cut down to digits and one full stop.
std::optional<BillNumber> NumberOfPlain(const std::string& plain, int decimals, bool negative) {
    double value = 0;
    const auto parsed = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (parsed.ec != std::errc() || parsed.ptr != plain.data() + plain.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return BillNumber{negative && value != 0 ? -value : value, decimals};
}

} // namespace

std::optional<BillNumber> ParseBillNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    int points = 0, commas = 0;
    size_t lastSeparator = std::string_view::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '.' || ch == ',') {
            (ch == '.' ? points : commas) += 1;
            lastSeparator = i;
        } else if (ch < '0' || ch > '9') {
            return std::nullopt;
        }
    }
    // The decimal separator: the last separator, when it is the only one of
    // its kind; a kind that repeats only groups ("1.234.567").
    char decimal = 0;
    if (lastSeparator != std::string_view::npos) {
        const char last = text[lastSeparator];
        if ((last == '.' ? points : commas) == 1) {
            decimal = last;
        }
    }
    std::string plain;
    int decimals = 0;
    bool afterDecimal = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == decimal && i == lastSeparator) {
            plain += '.';
            afterDecimal = true;
        } else if (ch == '.' || ch == ',') {
            // A grouping separator groups three digits, before the decimals.
            if (afterDecimal || i == 0 || i + 4 > text.size() ||
                (i + 4 < text.size() && text[i + 4] != '.' && text[i + 4] != ',')) {
                return std::nullopt;
            }
        } else {
            plain += ch;
            decimals += afterDecimal ? 1 : 0;
        }
    }
    if (plain == "." || plain.empty() || plain.front() == '.' || plain.back() == '.') {
        return std::nullopt;
    }
    return NumberOfPlain(plain, decimals, negative);
}

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

// The euro sign may stand before or after an amount, with blanks.
std::string WithoutEuroSign(std::string_view text) {
    std::string plain(text);
    for (const std::string sign : {"€", "EUR", "eur"}) {
        const size_t at = plain.find(sign);
        if (at != std::string::npos) {
            plain.erase(at, sign.size());
            break;
        }
    }
    return plain;
}

std::optional<int64_t> CentsOf(const std::optional<BillNumber>& number) {
    if (!number || number->value < 0 || number->decimals > 2 || number->value > 1e13) {
        return std::nullopt;
    }
    return static_cast<int64_t>(std::llround(number->value * 100.0));
}

} // namespace

std::optional<BillNumber> ParseBillNumber(std::string_view text, NumberLocale locale) {
    text = Trimmed(text);
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty() || !GroupingWellPlaced(text, locale)) {
        return std::nullopt;
    }
    std::string plain;
    int decimals = 0;
    bool afterDecimal = false;
    for (const char ch : text) {
        if (ch >= '0' && ch <= '9') {
            plain += ch;
            decimals += afterDecimal ? 1 : 0;
        } else if (ch == locale.decimal && !afterDecimal) {
            plain += '.';
            afterDecimal = true;
        } else if (ch != locale.group || afterDecimal) {
            return std::nullopt;
        }
    }
    if (plain.empty() || plain.front() == '.' || plain.back() == '.') {
        return std::nullopt;
    }
    return NumberOfPlain(plain, decimals, negative);
}

bool ReadsTwoWays(std::string_view text) {
    text = Trimmed(text);
    if (!text.empty() && text.front() == '-') {
        text.remove_prefix(1);
    }
    const size_t separator = text.find_first_of(".,");
    if (separator == std::string_view::npos || separator == 0 || separator > 3 ||
        text.size() != separator + 4 || text.front() == '0') {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        if (i != separator && (text[i] < '0' || text[i] > '9')) {
            return false;
        }
    }
    return true;
}

std::optional<int64_t> ParseEuroCents(std::string_view text, NumberLocale locale) {
    return CentsOf(ParseBillNumber(WithoutEuroSign(text), locale));
}

std::optional<int64_t> ParseEuroCents(std::string_view text) {
    const std::string plain = WithoutEuroSign(text);
    std::optional<BillNumber> number = ParseBillNumber(plain);
    const auto separators =
        std::count_if(plain.begin(), plain.end(), [](char ch) { return ch == '.' || ch == ','; });
    // The digits before the one separator: a group of thousands follows only
    // one to three of them, the first not a zero ("0.850" is no 850 €).
    const auto lead = [&plain] {
        const size_t first = plain.find_first_of("0123456789");
        const size_t separator = plain.find_first_of(".,");
        return first < separator ? plain.substr(first, separator - first) : std::string();
    }();
    if (number && number->decimals == 3 && separators == 1 && !lead.empty() && lead.size() <= 3 &&
        lead.front() != '0') {
        // An amount has no third decimal: "2.850" and "12,345" group thousands.
        std::string digits;
        for (const char ch : plain) {
            if (ch != '.' && ch != ',' && ch != ' ') {
                digits += ch;
            }
        }
        number = ParseBillNumber(digits);
    }
    return CentsOf(number);
}

std::string FormatFixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text(buffer);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(text.begin());
    }
    return text;
}

std::string FormatComma(double value, int decimals) {
    std::string text = FormatFixed(value, decimals);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

std::string FormatLocaleNumber(double value, int decimals, NumberLocale locale) {
    const std::string plain = FormatFixed(value, decimals);
    const size_t point = std::min(plain.find('.'), plain.size());
    const size_t start = !plain.empty() && plain.front() == '-' ? 1 : 0;
    std::string text = plain.substr(0, start);
    for (size_t i = start; i < point; ++i) {
        if (i > start && (point - i) % 3 == 0) {
            text += locale.group;
        }
        text += plain[i];
    }
    if (point < plain.size()) {
        text += locale.decimal;
        text += plain.substr(point + 1);
    }
    return text;
}

std::string FormatCents(int64_t cents) {
    const bool negative = cents < 0;
    const uint64_t magnitude =
        negative ? static_cast<uint64_t>(-(cents + 1)) + 1u : static_cast<uint64_t>(cents);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%s%llu.%02llu", negative ? "-" : "",
                  static_cast<unsigned long long>(magnitude / 100),
                  static_cast<unsigned long long>(magnitude % 100));
    return buffer;
}

std::string FormatEuroText(int64_t cents) {
    const std::string plain = FormatCents(cents);
    const size_t point = plain.find('.');
    std::string whole = plain.substr(0, point);
    std::string sign;
    if (!whole.empty() && whole.front() == '-') {
        sign = "-";
        whole.erase(whole.begin());
    }
    std::string grouped;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) {
            grouped += '.';
        }
        grouped += whole[i];
    }
    return sign + grouped + "," + plain.substr(point + 1);
}

} // namespace pyrostat
