#include "studies/SheetRows.h"

#include "platform/Codepage1253.h"
#include "platform/Utf8.h"

#include <array>

namespace pyrostat {

namespace {

// Splits the text into records of fields: `separator` between fields, a line
// break between records, double quotes around a field that holds either
// (and "" for a quote inside it).
std::vector<std::vector<std::string>> Split(std::string_view text, char separator) {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;
    bool any = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (quoted) {
            if (ch == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (ch == '"') {
                quoted = false;
            } else {
                field += ch;
            }
            continue;
        }
        if (ch == '"' && field.empty()) {
            quoted = true;
            any = true;
        } else if (ch == separator) {
            fields.push_back(std::move(field));
            field.clear();
            any = true;
        } else if (ch == '\n' || ch == '\r') {
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            fields.push_back(std::move(field));
            field.clear();
            records.push_back(std::move(fields));
            fields.clear();
            any = false;
            if (records.size() >= kMaxImportRows) {
                return records;
            }
        } else {
            field += ch;
            any = true;
        }
    }
    if (any || !field.empty()) {
        fields.push_back(std::move(field));
        records.push_back(std::move(fields));
    }
    return records;
}

// The separator the text uses: of tab, semicolon and comma the one found
// most often outside quotes in its first lines (in that order on a tie).
char DetectSeparator(std::string_view text) {
    const std::array<char, 3> candidates = {'\t', ';', ','};
    std::array<size_t, 3> counts{};
    bool quoted = false;
    size_t lines = 0;
    for (size_t i = 0; i < text.size() && lines < 50; ++i) {
        const char ch = text[i];
        if (ch == '"') {
            quoted = !quoted;
        } else if (!quoted && ch == '\n') {
            ++lines;
        } else if (!quoted) {
            for (size_t k = 0; k < candidates.size(); ++k) {
                if (ch == candidates[k]) {
                    ++counts[k];
                }
            }
        }
    }
    size_t best = 0;
    for (size_t k = 1; k < candidates.size(); ++k) {
        if (counts[k] > counts[best]) {
            best = k;
        }
    }
    return candidates[best];
}

} // namespace

SheetRows ReadCsvRows(const std::string& path) {
    SheetRows sheet;
    std::string bytes;
    sheet.problem = ReadRegularFile(path, bytes);
    if (sheet.problem != FileProblem::None) {
        return sheet;
    }
    const std::string text = TextFileToUtf8(bytes);
    // Every field is text, as typed: a number keeps the separators it was
    // written with.
    for (auto& record : Split(text, DetectSeparator(text))) {
        std::vector<SheetCell> cells;
        for (auto& field : record) {
            if (cells.size() == kMaxImportColumns) {
                break;
            }
            cells.push_back({std::move(field), false});
        }
        sheet.rows.push_back(std::move(cells));
    }
    while (!sheet.rows.empty() &&
           (sheet.rows.back().empty() ||
            (sheet.rows.back().size() == 1 && sheet.rows.back()[0].text.empty()))) {
        sheet.rows.pop_back();
    }
    return sheet;
}

} // namespace pyrostat
