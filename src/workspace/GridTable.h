#pragma once

#include "program/NumberLocale.h"
#include "workspace/GridLayout.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace pyrostat {

// The property table itself: 500 rows by 11 column texts plus the header row,
// the column widths and row heights. Both grids (the in-memory one and the
// window's) work on one of these. Every write goes through the cell rules.
class GridTable {
public:
    explicit GridTable(NumberLocale locale = NumberLocale::English());

    NumberLocale Locale() const { return locale_; }
    void SetLocale(NumberLocale locale) { locale_ = locale; }

    // Row 0 is the header row; data rows 1 to 500, columns 1 to 11. Any other
    // address reads as empty.
    const std::string& Cell(int row, int col) const;
    // Stores the text after the cell rules; false (cell unchanged) when refused.
    // Header cells take any text.
    bool SetCell(int row, int col, const std::string& text);
    // Stores without the rules (used to restore a snapshot).
    void SetCellRaw(int row, int col, const std::string& text);

    void DeleteRow(int row);
    void InsertRow(int row);
    void ClearBlock(int row, int col, int row2, int col2);

    int LastDataRow() const;
    int LastDataCol() const;

    double ColWidth(int col) const;
    void SetColWidth(int col, double width);
    double RowHeight(int row) const;
    void SetRowHeight(int row, double height);

    // Called after any change of cells (rows first..last, 0 = header) so a view
    // can refresh.
    std::function<void(int firstRow, int lastRow)> Changed;

private:
    void Notify(int first, int last);

    NumberLocale locale_;
    std::vector<std::array<std::string, kGridColumns + 1>> rows_; // [0..500][0..11]
    std::array<double, kGridColumns + 1> widths_{};
    double headerHeight_ = kHeaderRowHeight;
    double rowHeight_ = 1.0;
};

} // namespace pyrostat
