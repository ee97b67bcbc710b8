#include "studies/TableImport.h"

#include "platform/TextFold.h"
#include "platform/Utf8.h"
#include "workspace/GridLayout.h"

#include <algorithm>
#include <array>
#include <utility>

namespace pyrostat {

namespace {

std::string LowerExtension(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    std::string ext = path.substr(dot);
    for (char& ch : ext) {
        ch = AsciiLower(ch);
    }
    return ext;
}

const std::array<std::string, kGridColumns>& FoldedHeaders() {
    static const std::array<std::string, kGridColumns> folded = [] {
        std::array<std::string, kGridColumns> titles;
        for (int c = 0; c < kGridColumns; ++c) {
            titles[static_cast<size_t>(c)] = FoldTitle(ColumnHeaders()[static_cast<size_t>(c)]);
        }
        return titles;
    }();
    return folded;
}

// The grid column a title names (from 1), or 0.
int ColumnTitled(const std::string& text) {
    const std::string folded = FoldTitle(text);
    if (folded.empty()) {
        return 0;
    }
    for (int c = 0; c < kGridColumns; ++c) {
        if (FoldedHeaders()[static_cast<size_t>(c)] == folded) {
            return c + 1;
        }
    }
    return 0;
}

// Rows searched for the column titles.
constexpr size_t kHeaderSearchRows = 30;
// Titles that make a row the header row.
constexpr int kTitlesOfAHeader = 3;

std::string Clean(const std::string& text) {
    std::string out = text;
    for (char& ch : out) {
        if (ch == '\t' || ch == '\r' || ch == '\n') {
            ch = ' ';
        }
    }
    return out;
}

// A cell's text for the text form: a stored number written with the
// locale's decimal separator.
std::string CellForText(const SheetCell& cell, NumberLocale locale) {
    std::string text = Clean(cell.text);
    if (cell.number) {
        std::replace(text.begin(), text.end(), '.', locale.decimal);
    }
    return text;
}

} // namespace

TableFormat TableFormatOf(const std::string& path) {
    const std::string ext = LowerExtension(path);
    if (ext == ".xlsx") {
        return TableFormat::Xlsx;
    }
    if (ext == ".ods") {
        return TableFormat::Ods;
    }
    if (ext == ".csv") {
        return TableFormat::Csv;
    }
    if (ext == ".txt" || ext == ".tsv") {
        return TableFormat::StudyText;
    }
    return TableFormat::Unknown;
}

ImportedTable ImportSheetRows(const SheetRows& sheet, NumberLocale locale) {
    ImportedTable table;
    table.problem = sheet.problem;
    table.damage = sheet.damage;
    table.sheetRows = sheet.rows.size();
    if (!table.Read()) {
        return table;
    }
    // The header row: the first with several of the grid's column titles.
    std::array<int, kGridColumns> sourceOf{};
    for (int c = 0; c < kGridColumns; ++c) {
        sourceOf[static_cast<size_t>(c)] = c; // the grid's order
    }
    for (size_t r = 0; r < sheet.rows.size() && r < kHeaderSearchRows; ++r) {
        std::array<int, kGridColumns> found;
        found.fill(-1);
        int titles = 0;
        for (size_t c = 0; c < sheet.rows[r].size(); ++c) {
            const int col = ColumnTitled(sheet.rows[r][c].text);
            if (col != 0 && found[static_cast<size_t>(col - 1)] < 0) {
                found[static_cast<size_t>(col - 1)] = static_cast<int>(c);
                ++titles;
            }
        }
        if (titles >= kTitlesOfAHeader) {
            sourceOf = found;
            table.headerRow = static_cast<int>(r + 1);
            break;
        }
    }
    std::string text;
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
        const auto& row = sheet.rows[r];
        const bool isLabel =
            !row.empty() && !row[0].number && !row[0].text.empty() && row[0].text[0] == '#';
        if (table.headerRow != 0 && r + 1 <= static_cast<size_t>(table.headerRow) && !isLabel) {
            // The header row and the sheet's own titles above it: comments, so
            // that lines stay the sheet's rows.
            text += "#\r\n";
            continue;
        }
        if (isLabel) {
            // A line of the text form: its label, then its value.
            std::string line = Clean(row[0].text);
            for (size_t c = 1; c < row.size(); ++c) {
                line += '\t' + CellForText(row[c], locale);
            }
            text += line + "\r\n";
            continue;
        }
        std::string line;
        for (int c = 0; c < kGridColumns; ++c) {
            const int source = sourceOf[static_cast<size_t>(c)];
            if (c > 0) {
                line += '\t';
            }
            if (source >= 0 && static_cast<size_t>(source) < row.size()) {
                line += CellForText(row[static_cast<size_t>(source)], locale);
            }
        }
        // Cells beyond the grid's columns (without a header) are refused by
        // the text rules as they would be in the text form.
        if (table.headerRow == 0) {
            for (size_t c = kGridColumns; c < row.size(); ++c) {
                line += '\t' + CellForText(row[c], locale);
            }
        }
        text += line + "\r\n";
    }
    table.parsed = ParseStudyText(text, locale);
    return table;
}

ImportedTable ImportTable(const std::string& path, NumberLocale locale) {
    switch (TableFormatOf(path)) {
    case TableFormat::Xlsx:
        return ImportSheetRows(ReadXlsxRows(path), locale);
    case TableFormat::Ods:
        return ImportSheetRows(ReadOdsRows(path), locale);
    case TableFormat::Csv:
        return ImportSheetRows(ReadCsvRows(path), locale);
    case TableFormat::StudyText:
    case TableFormat::Unknown:
        break;
    }
    ImportedTable table;
    std::string bytes;
    table.problem = ReadRegularFile(path, bytes);
    if (table.Read()) {
        table.parsed = ParseStudyText(bytes, locale);
    }
    return table;
}

std::string ImportProblemMessage(const std::string& path, const ImportedTable& table) {
    if (table.problem != FileProblem::None) {
        return FileProblemMessage(path, table.problem);
    }
    if (!table.damage.empty()) {
        return "Το αρχείο «" + path + "» δεν διαβάστηκε ως πίνακας: " + table.damage + ".";
    }
    return {};
}

} // namespace pyrostat
