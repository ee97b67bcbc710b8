#include "reports/ColumnFit.h"

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

// Seven digits of a total in bold need more than the table's 7 characters;
// the rows' five digits do not. A column is widened, never narrowed.
TEST(ColumnFit, EachColumnHoldsItsWidestNumber) {
    SheetModel sheet;
    sheet.SetColumnWidth(3, 7);
    sheet.SetColumnWidth(4, 7);
    sheet.SetColumnWidth(5, 12);
    CellFormat row;
    row.fontSize = 7.5;
    row.numberFormat = "#,##0";
    CellFormat total = row;
    total.bold = true;
    sheet.SetFormat(9, 3, row);
    sheet.SetNumber(9, 3, 8508);
    sheet.SetFormat(10, 3, total);
    sheet.SetNumber(10, 3, 2712958.49);
    sheet.SetFormat(9, 4, row);
    sheet.SetNumber(9, 4, 8508);
    sheet.SetFormat(9, 5, row);
    sheet.SetNumber(9, 5, 1);
    FitColumnsToNumbers(sheet, NumberLocale::English());
    const double needed = ColumnCharsFor("2,712,958", 7.5, true);
    EXPECT_GT(needed, 7.0);
    EXPECT_DOUBLE_EQ(sheet.ColumnWidth(3), needed);
    EXPECT_DOUBLE_EQ(sheet.ColumnWidth(4), 7.0); // "8,508" fits
    EXPECT_DOUBLE_EQ(sheet.ColumnWidth(5), 12.0);
    // Bold and larger type need more; the text itself is measured.
    EXPECT_GT(ColumnCharsFor("2,712,958", 7.5, true), ColumnCharsFor("2,712,958", 7.5, false));
    EXPECT_GT(ColumnCharsFor("2,712,958", 9, false), ColumnCharsFor("2,712,958", 7.5, false));
    EXPECT_GT(ColumnCharsFor("2712958", 7.5, false), ColumnCharsFor("271295", 7.5, false));
    // A number of a merged range is left to its range.
    SheetModel merged;
    merged.SetColumnWidth(2, 3);
    merged.AddMerge({40, 2, 40, 4});
    merged.SetNumber(40, 2, 1989945.0);
    FitColumnsToNumbers(merged, NumberLocale::Greek());
    EXPECT_DOUBLE_EQ(merged.ColumnWidth(2), 3.0);
}

} // namespace
} // namespace pyrostat
