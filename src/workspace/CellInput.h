#pragma once

#include "program/NumberLocale.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace pyrostat {

// How far a text being typed into a cell editor is from one the cell takes.
enum class InputState { Invalid, Intermediate, Acceptable };

// A number cell being typed: digits, grouping separators before the decimal
// separator, one decimal separator and at most two decimals, and no more
// than 8 digits before it (0 to 99999999.99). An empty text (the cell is
// emptied) is acceptable; a lone separator, or a grouping separator where it
// does not group ("2.8" in a Greek locale), is not yet.
InputState CheckNumberInput(std::string_view text, NumberLocale locale);

// Why a number cell's editor refuses `typed` (the text as a key or a paste
// would make it, which CheckNumberInput finds invalid), in Greek, with the
// text: the editor keeps what it had and shows this beside the cell. Empty
// when the text is not refused.
std::string NumberTypingRefusal(std::string_view typed, NumberLocale locale);

// The same for any text cell: a number cell's rules, or the designation's
// (the code page, 35 characters).
std::string TypingRefusal(int col, std::string_view typed, NumberLocale locale);

// A text being typed that is stored in Windows-1253: at most `maxChars`
// characters, each storable in the code page (the designation: 35, the study
// title: 78).
InputState CheckStorableText(std::string_view text, size_t maxChars);

// The message for a typed text the cell refuses when it is left (or a
// command would run on it): the row, the column's caption, the text and why,
// with the locale's decimal separator. Empty when the cell takes the text.
std::string TypedCellRefusal(int row, int col, std::string_view text, NumberLocale locale);

} // namespace pyrostat
