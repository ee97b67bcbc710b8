#pragma once

#include <string>

namespace pyrostat {

// The text a number cell shows under its number format, with the given
// decimal and grouping separators. Formats understood: "General" (up to ten
// significant digits, no trailing zeros), "@" (as General), and patterns of
// the form "0", "0.00", "#,##0", "#,##0.0000": a "," before the point groups
// the integer digits by three, the zeros after the point fix the decimals.
// Halves are rounded away from zero, as the printed tables round them.
std::string FormatSheetNumber(double value, const std::string& format, char decimalSeparator,
                              char groupSeparator);

} // namespace pyrostat
