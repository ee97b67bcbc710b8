#pragma once

#include "program/NumberLocale.h"

#include <string_view>

namespace pyrostat {

// The one conversion of cell texts to numbers in the whole program. It never
// fails: text that is not a number gives 0, mixed text its leading number, a
// text with two or more decimal separators 0, and "----" gives -1202.
double TextToNumber(std::string_view text, NumberLocale locale);

// How many characters of the text are the decimal separator.
int CountDecimalSeparators(std::string_view text, char decimal);

// The number at the start of a text, the way the classic BASIC Val reads it:
// leading blanks skipped, an optional sign, digits with "." as the decimal
// point; reading stops at the first character that does not fit.
double LeadingNumberValue(std::string_view text);

} // namespace pyrostat
