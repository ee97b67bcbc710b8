#include "workspace/NumberText.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace pyrostat {

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

// A number text cut down to its digits and one full stop.
struct PlainNumber {
    std::string digits; // "1234.50"
    int decimals = 0;
    bool negative = false;
};

std::optional<PlainNumber> Plain(std::string_view text, NumberLocale locale, bool signed_) {
    text = Trimmed(text);
    PlainNumber out;
    if (signed_ && !text.empty() && text.front() == '-') {
        out.negative = true;
        text.remove_prefix(1);
    }
    if (text.empty() || !GroupingWellPlaced(text, locale)) {
        return std::nullopt;
    }
    bool afterDecimal = false;
    for (const char ch : text) {
        if (ch >= '0' && ch <= '9') {
            out.digits += ch;
            out.decimals += afterDecimal ? 1 : 0;
        } else if (ch == locale.decimal && !afterDecimal) {
            out.digits += '.';
            afterDecimal = true;
        } else if (ch != locale.group || afterDecimal) {
            return std::nullopt;
        }
    }
    if (out.digits.empty() || out.digits.front() == '.' || out.digits.back() == '.') {
        return std::nullopt;
    }
    return out;
}

std::optional<TypedNumber> ValueOf(const PlainNumber& plain) {
    double value = 0;
    const std::string& d = plain.digits;
    const auto parsed = std::from_chars(d.data(), d.data() + d.size(), value);
    if (parsed.ec != std::errc() || parsed.ptr != d.data() + d.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return TypedNumber{plain.negative && value != 0 ? -value : value, plain.decimals};
}

// The digits rounded half up at the `keep`-th decimal, on the decimal text
// itself: "2.805" is 2.81, as typed, whatever its nearest double is.
void RoundHalfUp(PlainNumber& plain, int keep) {
    if (plain.decimals <= keep) {
        return;
    }
    std::string& d = plain.digits;
    const size_t point = d.find('.');
    const bool up = d[point + static_cast<size_t>(keep) + 1] >= '5';
    d.resize(point + static_cast<size_t>(keep) + (keep > 0 ? 1 : 0));
    plain.decimals = keep;
    if (!up) {
        return;
    }
    for (size_t i = d.size(); i-- > 0;) {
        if (d[i] == '.') {
            continue;
        }
        if (d[i] != '9') {
            ++d[i];
            return;
        }
        d[i] = '0';
    }
    d.insert(d.begin(), '1');
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

std::optional<int64_t> CentsOf(const std::optional<TypedNumber>& number) {
    if (!number || number->value < 0 || number->decimals > 2 || number->value > 1e13) {
        return std::nullopt;
    }
    return static_cast<int64_t>(std::llround(number->value * 100.0));
}

// The integer digits of a plain number text grouped by three.
std::string Grouped(std::string_view digits, char group) {
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += group;
        }
        out += digits[i];
    }
    return out;
}

std::string General(double value, char decimal) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.10g", value);
    std::string text = buffer;
    if (text.find_first_of("eE") == std::string::npos) {
        std::replace(text.begin(), text.end(), '.', decimal);
    }
    return text;
}

} // namespace

bool GroupingWellPlaced(std::string_view text, NumberLocale locale) {
    const size_t decimal = text.find(locale.decimal);
    const std::string_view whole = text.substr(0, decimal);
    if (whole.find(locale.group) == std::string_view::npos) {
        return true;
    }
    // No thousands after a lone zero: "0.850" groups nothing.
    if (whole.front() == '0') {
        return false;
    }
    size_t start = 0;
    bool first = true;
    for (;;) {
        const size_t next = whole.find(locale.group, start);
        const size_t length = (next == std::string_view::npos ? whole.size() : next) - start;
        if (first ? (length < 1 || length > 3) : length != 3) {
            return false;
        }
        if (next == std::string_view::npos) {
            return true;
        }
        first = false;
        start = next + 1;
    }
}

std::optional<TypedNumber> ReadNumber(std::string_view text, NumberLocale locale, bool signed_) {
    const std::optional<PlainNumber> plain = Plain(text, locale, signed_);
    return plain ? ValueOf(*plain) : std::nullopt;
}

std::optional<TypedNumber> ReadNumberEitherWay(std::string_view text) {
    const std::string_view trimmed = Trimmed(text);
    const size_t last = trimmed.find_last_of(".,");
    if (last == std::string_view::npos) {
        return ReadNumber(trimmed, NumberLocale::English());
    }
    const char separator = trimmed[last];
    const bool once = std::count(trimmed.begin(), trimmed.end(), separator) == 1;
    // A separator that repeats only groups: the decimal one is then the other.
    const NumberLocale locale =
        (separator == '.') == once ? NumberLocale::English() : NumberLocale::Greek();
    return ReadNumber(trimmed, locale);
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

std::optional<double> ParseCellNumber(std::string_view text, NumberLocale locale) {
    std::optional<PlainNumber> plain = Plain(text, locale, false);
    if (!plain) {
        return std::nullopt;
    }
    RoundHalfUp(*plain, 2);
    const std::optional<TypedNumber> number = ValueOf(*plain);
    if (!number || !(number->value >= 0.0 && number->value <= kMaxCellNumber)) {
        return std::nullopt;
    }
    return number->value;
}

double CellValue(std::string_view text, NumberLocale locale) {
    return ParseCellNumber(text, locale).value_or(0.0);
}

std::optional<int64_t> ParseEuroCents(std::string_view text, NumberLocale locale) {
    return CentsOf(ReadNumber(WithoutEuroSign(text), locale, false));
}

std::optional<int64_t> ParseEuroCents(std::string_view text) {
    const std::string plain = WithoutEuroSign(text);
    if (Trimmed(plain).starts_with('-')) {
        return std::nullopt;
    }
    std::optional<TypedNumber> number = ReadNumberEitherWay(plain);
    const size_t separator = plain.find_first_of(".,");
    if (number && number->decimals == 3 && plain.find_last_of(".,") == separator) {
        // An amount has no third decimal: "2.850" and "12,345" group thousands
        // (where a group may stand: "0.850" stays no amount).
        const char group = plain[separator];
        number = ReadNumber(plain, {group == '.' ? ',' : '.', group}, false);
    }
    return CentsOf(number);
}

std::string FormatFixed(double value, int decimals) {
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text(buffer);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(text.begin());
    }
    return text;
}

std::string FormatDecimal(double value, int decimals, NumberLocale locale) {
    std::string text = FormatFixed(value, decimals);
    std::replace(text.begin(), text.end(), '.', locale.decimal);
    return text;
}

std::string FormatLocaleNumber(double value, int decimals, NumberLocale locale) {
    const std::string plain = FormatFixed(value, decimals);
    const size_t start = plain.front() == '-' ? 1 : 0;
    const size_t point = std::min(plain.find('.'), plain.size());
    std::string text = plain.substr(0, start) +
                       Grouped(std::string_view(plain).substr(start, point - start), locale.group);
    if (point < plain.size()) {
        text += locale.decimal;
        text += plain.substr(point + 1);
    }
    return text;
}

std::string FormatCellNumber(double value, NumberLocale locale) {
    std::string text = FormatFixed(value, 2);
    std::replace(text.begin(), text.end(), '.', locale.decimal);
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
    return FormatEuroText(cents, NumberLocale::Greek());
}

std::string FormatEuroText(int64_t cents, NumberLocale locale) {
    const std::string plain = FormatCents(cents);
    const size_t start = plain.front() == '-' ? 1 : 0;
    const size_t point = plain.find('.');
    return plain.substr(0, start) +
           Grouped(std::string_view(plain).substr(start, point - start), locale.group) +
           locale.decimal + plain.substr(point + 1);
}

std::string FormatSheetNumber(double value, const std::string& format, NumberLocale locale) {
    if (!std::isfinite(value)) {
        return "#ΤΙΜΗ!";
    }
    if (format.empty() || format == "General" || format == "@") {
        return General(value, locale.decimal);
    }
    const size_t formatPoint = format.find('.');
    int decimals = 0;
    if (formatPoint != std::string::npos) {
        for (size_t i = formatPoint + 1; i < format.size() && format[i] == '0'; ++i) {
            ++decimals;
        }
    }
    const bool grouped = format.substr(0, formatPoint).find(',') != std::string::npos;

    const double scale = std::pow(10.0, decimals);
    // The shortest decimal form of the value (15 digits) decides the half,
    // not the binary value just under it. Only a value within a hair of a
    // half can round otherwise from its shortest form than from itself; the
    // others are rounded as they are.
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
    const std::string_view text(buffer, static_cast<size_t>(fixed.ptr - buffer));
    const size_t point = std::min(text.find('.'), text.size());
    std::string out = value < 0 && magnitude != 0 ? "-" : "";
    out +=
        grouped ? Grouped(text.substr(0, point), locale.group) : std::string(text.substr(0, point));
    if (point < text.size()) {
        out += locale.decimal;
        out += text.substr(point + 1);
    }
    return out;
}

std::string ShortestNumberText(const std::string& stored) {
    double value = 0;
    const char* begin = stored.data();
    const char* end = begin + stored.size();
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) {
        return stored; // not a number after all: the cell rules will say so
    }
    char buffer[64];
    if (std::fabs(value) >= 1e15) {
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
        return buffer;
    }
    // The fewest decimals (up to fifteen) that read back as the same double.
    for (int precision = 1; precision <= 15; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*f", precision, value);
        double back = 0;
        std::from_chars(buffer, buffer + std::char_traits<char>::length(buffer), back);
        if (back == value) {
            break;
        }
    }
    std::string text(buffer);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') {
            text.pop_back();
        }
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    return text == "-0" ? "0" : text;
}

} // namespace pyrostat
