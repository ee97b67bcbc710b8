#include "workspace/CellRules.h"

#include "platform/Codepage1253.h"
#include "platform/Utf8.h"
#include "workspace/GridLayout.h"

#include <algorithm>

namespace pyrostat {

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
