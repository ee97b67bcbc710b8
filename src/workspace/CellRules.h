#pragma once

#include "program/NumberLocale.h"

#include <optional>
#include <string>
#include <string_view>

namespace pyrostat {

// The rules every way into a grid cell obeys (typing, pasting, opening a file):
// the designation holds at most 35 characters that Windows-1253 can store, the
// number cells hold 0 to 99999999.99 shown with two decimals, and the two list
// columns hold only their listed texts. An empty text is always accepted.

inline constexpr double kMaxCellNumber = 99999999.99;

// The text the cell stores for `text`, or nothing when the cell refuses it.
std::optional<std::string> NormaliseCellText(int col, std::string_view text, NumberLocale locale);

// Whether the grouping separators of a number text stand where they group:
// none at all, or 1 to 3 digits, then groups of exactly three up to the
// decimal separator ("4.200" and "1.234.567,5" in a Greek locale, not "2.8",
// "3.25" or "42.00", which are someone else's decimal point, nor "0.850", whose
// lone zero groups no thousands).
bool GroupingWellPlaced(std::string_view text, NumberLocale locale);

// Reads a number cell's text in the locale (grouping separators only where
// they group, no sign); nothing when it is not a number or out of the cell's
// range.
std::optional<double> ParseCellNumber(std::string_view text, NumberLocale locale);

// A number as a number cell shows it: two decimals, the locale's decimal
// separator, no grouping.
std::string FormatCellNumber(double value, NumberLocale locale);

// Why a number cell refuses the text, in Greek, naming the locale's decimal
// separator.
std::string NumberRefusalReason(std::string_view text, NumberLocale locale);

// Why a cell would refuse the text, in Greek, for the import report; empty when
// it would take it.
std::string CellRefusalReason(int col, std::string_view text, NumberLocale locale);

} // namespace pyrostat
