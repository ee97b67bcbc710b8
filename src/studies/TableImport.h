#pragma once

#include "program/NumberLocale.h"
#include "studies/SheetRows.h"
#include "studies/StudyText.h"

#include <string>

namespace pyrostat {

// The kinds of file a property table is imported from.
enum class TableFormat { Xlsx, Ods, Csv, StudyText, Unknown };

// By the name's ending, in any case: ".xlsx", ".ods", ".csv"; ".txt" and
// ".tsv" are the program's own text form.
TableFormat TableFormatOf(const std::string& path);

// A property table read from a spreadsheet file, as the study text form
// would give it: the rows in the grid's columns (found by the column titles
// of the grid in a header row, or in the grid's order when there is none),
// lines of the form "# ΤΙΤΛΟΣ", "# ΜΟΝΩΣΗ", ... as in the text form, and
// every value through the grid's cell rules (the refused ones listed with
// their cell).
struct ImportedTable {
    FileProblem problem = FileProblem::None; // the file could not be read
    std::string damage;                      // Greek: what was not understood
    int headerRow = 0;                       // the row of column titles (from 1), 0: none
    size_t sheetRows = 0;                    // rows the sheet had
    ParsedStudyText parsed;

    bool Read() const { return problem == FileProblem::None && damage.empty(); }
};

ImportedTable ImportTable(const std::string& path, NumberLocale locale);

// The same from rows already read (what ImportTable does after reading).
ImportedTable ImportSheetRows(const SheetRows& sheet, NumberLocale locale);

// Why an import could not start, in Greek, naming the file.
std::string ImportProblemMessage(const std::string& path, const ImportedTable& table);

} // namespace pyrostat
