#pragma once

#include "workspace/ProgramState.h"

#include <string_view>

namespace pyrostat {

// The one conversion of cell texts to numbers in the whole program. It never
// fails: text that is not a number gives 0, mixed text its leading number, a
// text with two or more decimal separators 0, and "----" gives -1202. Uses the
// separator codes of `state`; may leave a count in StatusCode only transiently.
double TextToNumber(ProgramState& state, std::string_view text);

// Counts the characters equal to the decimal separator; a count of 2 or more is
// stored in StatusCode, a smaller one leaves StatusCode alone.
int CountDecimalSeparators(ProgramState& state, std::string_view text);

// The number at the start of a text, the way the classic BASIC Val reads it:
// leading blanks skipped, an optional sign, digits with "." as the decimal
// point; reading stops at the first character that does not fit.
double LeadingNumberValue(std::string_view text);

} // namespace pyrostat
