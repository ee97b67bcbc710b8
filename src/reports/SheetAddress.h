#pragma once

#include <string>
#include <string_view>

namespace pyrostat {

// Cell addresses of the report sheet: rows and columns from 1, column 1 is A.

struct CellRange {
    int row1 = 0;
    int col1 = 0;
    int row2 = 0;
    int col2 = 0;

    bool Contains(int row, int col) const {
        return row >= row1 && row <= row2 && col >= col1 && col <= col2;
    }
    bool operator==(const CellRange&) const = default;
};

// "A" for 1, "Z" for 26, "AA" for 27; empty for 0 or less.
std::string ColumnLetters(int col);
// "C4" for (4, 3).
std::string CellName(int row, int col);

// Reads "C4" (letters then digits, letters in either case). False for anything
// else, and for a row or column beyond the sheet's limits.
bool ParseCellName(std::string_view text, int& row, int& col);
// Reads "A1:C3" or a single "B2"; the corners come back ordered.
bool ParseRangeName(std::string_view text, CellRange& range);

// The largest row and column the sheet accepts.
inline constexpr int kMaxSheetRows = 1048576;
inline constexpr int kMaxSheetCols = 16384;

} // namespace pyrostat
