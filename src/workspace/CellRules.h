#pragma once

#include "program/NumberLocale.h"
#include "workspace/NumberText.h"

#include <optional>
#include <string>
#include <string_view>

namespace pyrostat {

// The rules every way into a grid cell obeys (typing, pasting, opening a file):
// the designation holds at most 35 characters that Windows-1253 can store, the
// number cells hold 0 to 99999999.99 shown with two decimals, and the two list
// columns hold only their listed texts. An empty text is always accepted.

// The text the cell stores for `text`, or nothing when the cell refuses it.
std::optional<std::string> NormaliseCellText(int col, std::string_view text, NumberLocale locale);

// Why a number cell refuses the text, in Greek, naming the locale's decimal
// separator.
std::string NumberRefusalReason(std::string_view text, NumberLocale locale);

// Why a cell would refuse the text, in Greek, for the import report; empty when
// it would take it.
std::string CellRefusalReason(int col, std::string_view text, NumberLocale locale);

} // namespace pyrostat
