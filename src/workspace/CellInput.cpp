#include "workspace/CellInput.h"

#include "platform/Codepage1253.h"
#include "platform/Utf8.h"

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
    return InputState::Acceptable;
}

InputState CheckStorableText(std::string_view text, size_t maxChars) {
    if (!IsCp1253Encodable(text) || Utf8Length(text) > maxChars) {
        return InputState::Invalid;
    }
    return InputState::Acceptable;
}

} // namespace pyrostat
