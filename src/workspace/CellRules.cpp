#include "workspace/CellRules.h"

#include "platform/Codepage1253.h"
#include "platform/Utf8.h"
#include "workspace/GridLayout.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace pyrostat {

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

std::optional<double> ParseCellNumber(std::string_view text, NumberLocale locale) {
    const std::string trimmed = TrimBlanks(text);
    if (trimmed.empty() || !GroupingWellPlaced(trimmed, locale)) {
        return std::nullopt;
    }
    std::string plain;
    bool seenDecimal = false;
    int digits = 0;
    for (const char ch : trimmed) {
        if (ch >= '0' && ch <= '9') {
            plain.push_back(ch);
            ++digits;
        } else if (ch == locale.decimal && !seenDecimal) {
            plain.push_back('.');
            seenDecimal = true;
        } else if (ch == locale.group && !seenDecimal) {
            continue;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    double value = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec != std::errc() || result.ptr != plain.data() + plain.size()) {
        return std::nullopt;
    }
    value = std::round(value * 100.0) / 100.0;
    if (!(value >= 0.0 && value <= kMaxCellNumber)) {
        return std::nullopt;
    }
    return value;
}

std::string FormatCellNumber(double value, NumberLocale locale) {
    // What printf's "%.2f" writes; a cell never holds a number too long for it.
    char buffer[400];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    std::string text(buffer, written.ec == std::errc() ? written.ptr : buffer);
    std::replace(text.begin(), text.end(), '.', locale.decimal);
    return text;
}

std::string NumberRefusalReason(std::string_view text, NumberLocale locale) {
    const std::string decimal(1, locale.decimal);
    const std::string group(1, locale.group);
    if (text.find(locale.group) != std::string_view::npos && !GroupingWellPlaced(text, locale)) {
        return "το «" + group +
               "» χωρίζει μόνο χιλιάδες (ανά τρία ψηφία)· η υποδιαστολή "
               "γράφεται «" +
               decimal + "», π.χ. 2" + decimal + "80";
    }
    return "δεν είναι αριθμός από 0 έως 99999999" + decimal + "99 (υποδιαστολή «" + decimal + "»)";
}

std::string CellRefusalReason(int col, std::string_view text, NumberLocale locale) {
    if (TrimBlanks(text).empty()) {
        return {};
    }
    if (col == kNameColumn) {
        if (!IsCp1253Encodable(text)) {
            return "χαρακτήρες που δεν αποθηκεύονται στην ελληνική κωδικοσελίδα";
        }
        if (Utf8Length(TrimBlanks(text)) > kMaxNameLength) {
            return "περισσότεροι από 35 χαρακτήρες";
        }
        return {};
    }
    if (IsNumberColumn(col)) {
        if (!ParseCellNumber(text, locale)) {
            return NumberRefusalReason(TrimBlanks(text), locale);
        }
        return {};
    }
    if (IsListColumn(col)) {
        const auto& texts = ListTexts(col);
        if (std::find(texts.begin(), texts.end(), TrimBlanks(text)) == texts.end()) {
            return "δεν είναι κείμενο της λίστας";
        }
        return {};
    }
    return "στήλη εκτός πίνακα";
}

std::optional<std::string> NormaliseCellText(int col, std::string_view text, NumberLocale locale) {
    if (TrimBlanks(text).empty()) {
        return std::string();
    }
    if (IsNumberColumn(col)) {
        // A number cell refuses exactly what does not read as a number.
        const std::optional<double> value = ParseCellNumber(text, locale);
        if (!value) {
            return std::nullopt;
        }
        return FormatCellNumber(*value, locale);
    }
    if (!CellRefusalReason(col, text, locale).empty()) {
        return std::nullopt;
    }
    if (IsListColumn(col)) {
        return TrimBlanks(text);
    }
    return std::string(text);
}

} // namespace pyrostat
