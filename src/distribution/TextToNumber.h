#pragma once

#include "program/ProgramState.h"
#include "workspace/NumberText.h"

#include <string_view>

namespace pyrostat {

// The window side of the conversion: the separators of `state`, and the
// status word cleared when the text held two or more decimal separators (a
// count the classic program left there only for the moment).
double TextToNumber(ProgramState& state, std::string_view text);

// Counts the characters equal to the decimal separator; a count of 2 or more is
// stored in StatusCode, a smaller one leaves StatusCode alone.
int CountDecimalSeparators(ProgramState& state, std::string_view text);

} // namespace pyrostat
