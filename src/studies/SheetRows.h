#pragma once

#include "platform/FileAccess.h"

#include <string>
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

// The most rows and columns a property table can have that are worth reading:
// the grid has 500 rows and 11 columns, and a few lines of general data come
// before them.
inline constexpr size_t kMaxImportRows = 1000;
inline constexpr size_t kMaxImportColumns = 64;

// Office Open XML (.xlsx) and OpenDocument (.ods) spreadsheets, read with
// libzip and pugixml; text separated by commas, semicolons or tabs (.csv,
// .txt), in UTF-8 or Windows-1253.
SheetRows ReadXlsxRows(const std::string& path);
SheetRows ReadOdsRows(const std::string& path);
SheetRows ReadCsvRows(const std::string& path);

// A number stored in a spreadsheet ("4200", "2.8", "1.5E-2") as the text of
// its value with a full stop, no exponent and no needless digits.
std::string SheetNumberText(const std::string& stored);

} // namespace pyrostat
