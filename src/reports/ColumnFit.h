#pragma once

#include "program/NumberLocale.h"
#include "reports/SheetModel.h"

#include <string_view>

namespace pyrostat {

// The width in characters (the sheet's unit: a column of w characters is
// 7w + 5 pixels at 96 dpi) that `text` needs in the sheets' font (DejaVu
// Sans) at `size` points, bold or not, with the cell's padding on both
// sides. Digits and separators are measured as the font draws them; any
// other character as a wide letter.
double ColumnCharsFor(std::string_view text, double size, bool bold);

// Widens every column to the widest number it prints under its cells'
// formats and the locale's separators, the totals included, so that neither
// the PDF nor a spreadsheet program shows ### or a shrunken number. A column
// is never narrowed; numbers of merged ranges are left to their range.
void FitColumnsToNumbers(SheetModel& sheet, NumberLocale locale);

} // namespace pyrostat
