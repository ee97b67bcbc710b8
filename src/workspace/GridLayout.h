#pragma once

#include <array>
#include <string>
#include <vector>

namespace pyrostat {

class GridContract;

// The property grid: 11 fixed columns, 500 data rows.
inline constexpr int kGridColumns = 11;
inline constexpr int kGridRows = 500;
inline constexpr double kHeaderRowHeight = 75.0;
inline constexpr int kNameColumn = 1;
inline constexpr int kKindColumn = 10;
inline constexpr int kPipeColumn = 11;
inline constexpr size_t kMaxNameLength = 35;
inline constexpr size_t kMaxTitleLength = 78;

inline bool IsNumberColumn(int col) {
    return col >= 2 && col <= 9;
}
inline bool IsListColumn(int col) {
    return col == kKindColumn || col == kPipeColumn;
}

// Header captions of columns 1 to 11 (index 0 is column 1); the pieces of a
// caption are joined by a carriage return.
const std::array<std::string, kGridColumns>& ColumnHeaders();
// A column's caption on one line, for messages: "ΣΥΝΟΛΙΚΕΣ ΑΠΩΛΕΙΕΣ [Kcal/h]"
// (a word broken with a hyphen is joined again). Empty outside the grid.
std::string ColumnCaption(int col);
// Widths of columns 1 to 11 in average-character units.
const std::array<double, kGridColumns>& ColumnWidths();

// The texts of the two choice lists, in their order.
const std::vector<std::string>& KindTexts();
const std::vector<std::string>& PipeTexts();
// The texts a list column offers (empty for any other column).
const std::vector<std::string>& ListTexts(int col);

// Items of the height drop-down, "0,5" to "8,0".
const std::vector<std::string>& HeightItems();
// Number of a height item (its comma is the decimal separator).
float HeightItemValue(const std::string& item);

// Start-up layout: header height, header wrapping, widths and captions, cursor
// to row 1, column 1.
void ApplyStartupLayout(GridContract& grid);
// Restores the header height and the widths and captions of columns 1 to 11.
// Changes no data cell and does not move the cursor.
void ResetColumns(GridContract& grid);

} // namespace pyrostat
