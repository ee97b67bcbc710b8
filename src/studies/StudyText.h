#pragma once

#include "program/NumberLocale.h"
#include "studies/GeneralDataFile.h"
#include "studies/StudyRecords.h"

#include <string>
#include <string_view>
#include <vector>

namespace pyrostat {

// A study as a tab-separated text file (UTF-8) that a spreadsheet opens: the
// title, the insulation choice and the general data in comment lines at the
// head, each "#", a label, a tab and the value; then one line per grid row
// with its eleven cells separated by tabs, as the clipboard carries them.
//
//   # ΤΙΤΛΟΣ<TAB>ΠΟΛΥΚΑΤΟΙΚΙΑ
//   # ΜΟΝΩΣΗ<TAB>ΝΑΙ
//   # ΕΡΓΟΔΟΤΗΣ<TAB>...
//   # ΕΡΓΟ<TAB>...
//   # ΘΕΣΗ ΕΡΓΟΥ<TAB>...
//   Α1<TAB>5000.00<TAB>...<TAB>ΕΚΤΟΣ ΙΔΙΟΚΤ.
struct StudyTextContents {
    std::string title;
    bool insulation = false;
    bool insulationGiven = false; // the text has its "# ΜΟΝΩΣΗ" line
    GeneralData general;
    std::vector<StudyRow> rows;
};

// The text file, lines ending in CR LF.
std::string FormatStudyText(const StudyTextContents& study);

// A cell (or a header value) the grid would refuse. `row` and `col` are the
// grid's (a header value has row 0 and col 0); `line` is the line of the file.
struct TextRefusal {
    int line = 0;
    int row = 0;
    int col = 0;
    std::string text;
    std::string reason;
};

struct ParsedStudyText {
    StudyTextContents contents;
    std::vector<TextRefusal> refusals;
};

// Reads the text with the rules of typing into the grid: numbers 0 to
// 99999999.99 in `locale`, the two columns with their lists only, names of at
// most 35 characters storable in the Greek code page; a title of at most 78
// such characters; general data without double quotes. Refused values are
// left empty and listed. The text is UTF-8, or Windows-1253 when it is not
// valid UTF-8. Lines may end in LF or CR LF; a UTF-8 byte-order mark is
// skipped; other lines starting with "#" are comments; empty lines
// at the end are dropped, empty lines between rows are empty rows.
ParsedStudyText ParseStudyText(std::string_view text, NumberLocale locale);

// "γραμμή 4 (σειρά 2, στήλη 5): ..." for the report of refused values.
std::string DescribeRefusal(const TextRefusal& refusal);

} // namespace pyrostat
