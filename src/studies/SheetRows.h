#pragma once

#include "platform/FileAccess.h"

#include <string>
#include <string_view>
#include <vector>

namespace pyrostat {

// One cell: its text (UTF-8) and whether the spreadsheet stored it as a
// number, in which case the text has a full stop for its decimals and no
// grouping.
struct SheetCell {
    std::string text;
    bool number = false;
    bool operator==(const SheetCell& other) const = default;
};

// The first sheet of a spreadsheet file as rows of cells, the way the cells
// hold them before any rule of the grid.
struct SheetRows {
    std::vector<std::vector<SheetCell>> rows;
    FileProblem problem = FileProblem::None; // the file could not be read
    std::string damage;                      // Greek: what in the file was not understood
    bool Read() const { return problem == FileProblem::None && damage.empty(); }
};

// The most rows and columns of a sheet that are read. The grid has 500 rows
// and 11 columns, with a few lines of general data before them: a table is
// read to its last row, and a value beyond these bounds refuses the file,
// naming its cell, instead of being left out. Rows past the grid's 500 but
// within the bound reach the text rules, which refuse them by line.
inline constexpr size_t kMaxTableRows = 5000;
inline constexpr size_t kMaxTableColumns = 64;
// The longest cell text kept whole: no cell of a property table comes near
// it. A longer one is cut with a mark, so that the cell rules refuse it.
inline constexpr size_t kMaxCellText = 1000;
// The most text a sheet's cells may hold together.
inline constexpr size_t kMaxSheetText = 4u * 1024u * 1024u;
inline constexpr const char* kSheetTooLarge =
    "το φύλλο έχει περισσότερο κείμενο απ' όσο χωρά ένας πίνακας Ιδιοκτησιών";
// How deep the elements of a cell's text may nest (spans within spans).
inline constexpr size_t kMaxTextDepth = 64;

// "γραμμή 1201, στήλη 3": where a refused value of a sheet stands (from 0).
std::string SheetCellName(size_t row, size_t col);
// The damage told for a value beyond the rows or columns that are read.
std::string BeyondTheTable(size_t row, size_t col);
// Appends to a cell's text, stopping at kMaxCellText with a mark past it.
void AppendCellText(std::string& text, std::string_view more);
// Whether AppendCellText had to cut the text: such a cell refuses the file.
inline bool CellTooLong(const std::string& text) {
    return text.size() > kMaxCellText;
}
// The damage told for such a cell.
std::string CellTooLongDamage(size_t row, size_t col);

// Office Open XML (.xlsx) and OpenDocument (.ods) spreadsheets, read with
// libzip and pugixml; text separated by commas, semicolons or tabs (.csv,
// .txt), in UTF-8 or Windows-1253.
SheetRows ReadXlsxRows(const std::string& path);
SheetRows ReadOdsRows(const std::string& path);
SheetRows ReadCsvRows(const std::string& path);

} // namespace pyrostat
