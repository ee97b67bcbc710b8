#include "workspace/CellInput.h"

#include "platform/Codepage1253.h"
#include "platform/Utf8.h"
#include "workspace/CellRules.h"
#include "workspace/GridLayout.h"

namespace pyrostat {

namespace {

// What a number being typed is made of, read left to right up to the first
// character a number cell never takes.
struct TypedNumberScan {
    enum class Stop { None, SecondDecimal, Foreign };
    Stop stop = Stop::None;
    int wholeDigits = 0; // leading zeros do not count towards the 8
    int decimals = 0;
};

TypedNumberScan ScanTypedNumber(std::string_view text, NumberLocale locale) {
    TypedNumberScan scan;
    bool seenDecimal = false;
    for (const char ch : text) {
        if (ch >= '0' && ch <= '9') {
            if (seenDecimal) {
                ++scan.decimals;
            } else if (scan.wholeDigits > 0 || ch != '0') {
                ++scan.wholeDigits;
            }
        } else if (ch == locale.decimal) {
            if (seenDecimal) {
                scan.stop = TypedNumberScan::Stop::SecondDecimal;
                break;
            }
            seenDecimal = true;
        } else if (ch != locale.group || seenDecimal || locale.group == ' ') {
            scan.stop = TypedNumberScan::Stop::Foreign;
            break;
        }
    }
    return scan;
}

} // namespace

InputState CheckNumberInput(std::string_view text, NumberLocale locale) {
    const TypedNumberScan scan = ScanTypedNumber(text, locale);
    if (scan.stop != TypedNumberScan::Stop::None || scan.wholeDigits > 8 || scan.decimals > 2) {
        return InputState::Invalid;
    }
    if (text.empty()) {
        return InputState::Acceptable;
    }
    if (text.find_first_of("0123456789") == std::string_view::npos) {
        return InputState::Intermediate;
    }
    // "2.8" in a Greek locale may still become "2.800" as it is typed, but it
    // is not a number the cell takes as it stands.
    if (!GroupingWellPlaced(text, locale)) {
        return InputState::Intermediate;
    }
    return InputState::Acceptable;
}

std::string NumberTypingRefusal(std::string_view typed, NumberLocale locale) {
    const TypedNumberScan scan = ScanTypedNumber(typed, locale);
    const std::string decimal(1, locale.decimal);
    std::string why;
    switch (scan.stop) {
    case TypedNumberScan::Stop::SecondDecimal:
        why = "ο αριθμός έχει ήδη υποδιαστολή «" + decimal + "»";
        break;
    case TypedNumberScan::Stop::Foreign:
        why = "το κελί δέχεται μόνο ψηφία και την υποδιαστολή «" + decimal + "»";
        break;
    case TypedNumberScan::Stop::None:
        if (scan.decimals > 2) {
            why = "το κελί δέχεται έως 2 δεκαδικά ψηφία";
        } else if (scan.wholeDigits > 8) {
            why = "το κελί δέχεται έως 8 ακέραια ψηφία";
        } else {
            return {}; // taken, or not yet a number but not refused
        }
        break;
    }
    return "«" + ShortenForMessage(typed) + "» δεν γράφεται: " + why + ".";
}

std::string TypingRefusal(int col, std::string_view typed, NumberLocale locale) {
    if (IsNumberColumn(col)) {
        return NumberTypingRefusal(typed, locale);
    }
    const std::string reason = CellRefusalReason(col, typed, locale);
    return reason.empty() ? reason
                          : "«" + ShortenForMessage(typed) + "» δεν γράφεται: " + reason + ".";
}

InputState CheckStorableText(std::string_view text, size_t maxChars) {
    if (!IsCp1253Encodable(text) || Utf8Length(text) > maxChars) {
        return InputState::Invalid;
    }
    return InputState::Acceptable;
}

std::string TypedCellRefusal(int row, int col, std::string_view text, NumberLocale locale) {
    const std::string reason = CellRefusalReason(col, text, locale);
    if (reason.empty()) {
        return {};
    }
    return "Η τιμή «" + ShortenForMessage(TrimBlanks(text)) + "» της σειράς " +
           std::to_string(row) + ", στήλη " + std::to_string(col) + " (" + ColumnCaption(col) +
           "), δεν γίνεται δεκτή :\n" + reason +
           ".\n\nΔιορθώστε την, ή πατήστε Esc για να μείνει η προηγούμενη τιμή.";
}

} // namespace pyrostat
