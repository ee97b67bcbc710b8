#include "workspace/CellInput.h"

#include "platform/Codepage1253.h"
#include "platform/Utf8.h"
#include "workspace/CellRules.h"
#include "workspace/GridLayout.h"

namespace pyrostat {

InputState CheckNumberInput(std::string_view text, NumberLocale locale) {
    int wholeDigits = 0;
    int decimals = 0;
    bool seenDecimal = false;
    for (const char ch : text) {
        if (ch >= '0' && ch <= '9') {
            if (seenDecimal) {
                ++decimals;
            } else if (wholeDigits > 0 || ch != '0') {
                ++wholeDigits; // leading zeros do not count towards the 8
            }
        } else if (ch == locale.decimal && !seenDecimal) {
            seenDecimal = true;
        } else if (ch == locale.group && !seenDecimal && locale.group != ' ') {
            continue;
        } else {
            return InputState::Invalid;
        }
    }
    if (wholeDigits > 8 || decimals > 2) {
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
    if (CheckNumberInput(typed, locale) != InputState::Invalid) {
        return {};
    }
    const std::string decimal(1, locale.decimal);
    std::string why;
    int wholeDigits = 0;
    int decimals = 0;
    bool seenDecimal = false;
    for (const char ch : typed) {
        if (ch >= '0' && ch <= '9') {
            if (seenDecimal) {
                ++decimals;
            } else if (wholeDigits > 0 || ch != '0') {
                ++wholeDigits;
            }
        } else if (ch == locale.decimal && seenDecimal) {
            why = "ο αριθμός έχει ήδη υποδιαστολή «" + decimal + "»";
            break;
        } else if (ch == locale.decimal) {
            seenDecimal = true;
        } else if (ch != locale.group || seenDecimal || locale.group == ' ') {
            why = "το κελί δέχεται μόνο ψηφία και την υποδιαστολή «" + decimal + "»";
            break;
        }
    }
    if (why.empty()) {
        why = decimals > 2 ? "το κελί δέχεται έως 2 δεκαδικά ψηφία"
                           : "το κελί δέχεται έως 8 ακέραια ψηφία";
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
