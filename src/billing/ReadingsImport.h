#pragma once

#include "program/NumberLocale.h"
#include "studies/SheetRows.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pyrostat {

// Which column of a readings file holds what, counted from 0 (-1: none),
// and how many first rows are headings. The property's column is needed,
// and either the current reading (with the previous one, or without it when
// the previous readings are carried forward) or the hours of the period.
struct ReadingColumns {
    int property = 0;
    int previous = -1, current = -1, measure = -1, marks = -1;
    int headingRows = 0;
    bool operator==(const ReadingColumns&) const = default;

    // Greek, what is missing or given twice; empty when the choice can read.
    std::string Fault() const;
};

// As the building keeps the choice: "property=0;previous=1;current=2;
// measure=-1;marks=-1;headings=1". Nothing for a text that is not one.
std::string ColumnsText(const ReadingColumns& columns);
std::optional<ReadingColumns> ColumnsFromText(std::string_view text);

// A readings file's cells: .xlsx, .ods, or text separated by tabs, commas or
// semicolons (.csv, .tsv, .txt), by its name's ending.
SheetRows ReadReadingsFile(const std::string& path);

// The columns a first look suggests: a first row of headings that names
// them ("Ιδιοκτησία", "Προηγούμενη", "Τρέχουσα", "Ώρες", "Σημειώσεις"), else
// the property, then one number (the hours) or two (the readings).
ReadingColumns GuessReadingColumns(const SheetRows& sheet);

// The rows after the headings as a readings table the period takes (a line
// a row, tabs between the property, the readings or hours and the marks),
// the numbers a spreadsheet stored written in the locale's separators. A
// blank row stays a blank line, so that the table's line `firstLine + k` is
// the sheet's row: a line the table refuses is told by the sheet's row.
struct MappedReadings {
    std::string table;
    int firstLine = 1;
};
MappedReadings MapReadings(const SheetRows& sheet, const ReadingColumns& columns,
                           NumberLocale locale);

} // namespace pyrostat
