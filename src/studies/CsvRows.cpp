#include "studies/SheetRows.h"

#include "platform/Codepage1253.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <array>
#include <optional>

namespace pyrostat {

namespace {

// Splits the text into records of fields: `separator` between fields, a line
// break between records, double quotes around a field that holds either
// (and "" for a quote inside it).
// Records past kMaxTableRows are not kept: the first one with a value there
// is told by its number in `beyond`.
std::vector<std::vector<std::string>> Split(std::string_view text, char separator,
                                            std::optional<size_t>& beyond) {
    std::vector<std::vector<std::string>> records;
    size_t count = 0;
    const auto add = [&](std::vector<std::string>&& record) {
        if (count++ < kMaxTableRows) {
            records.push_back(std::move(record));
            return true;
        }
        const bool filled = std::any_of(record.begin(), record.end(),
                                        [](const std::string& f) { return !f.empty(); });
        if (filled) {
            beyond = count - 1;
        }
        return !filled;
    };
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
            if (!add(std::move(fields))) {
                return records;
            }
            fields.clear();
            any = false;
        } else {
            field += ch;
            any = true;
        }
    }
    if (any || !field.empty()) {
        fields.push_back(std::move(field));
        add(std::move(fields));
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
    // written with. Empty fields at a line's end are no cells.
    std::optional<size_t> beyond;
    std::vector<std::vector<std::string>> records = Split(text, DetectSeparator(text), beyond);
    if (beyond) {
        sheet.damage = BeyondTheTable(*beyond, 0);
        return sheet;
    }
    for (size_t r = 0; r < records.size(); ++r) {
        std::vector<std::string>& record = records[r];
        while (!record.empty() && record.back().empty()) {
            record.pop_back();
        }
        if (record.empty()) {
            continue;
        }
        if (record.size() > kMaxTableColumns) {
            sheet.damage = BeyondTheTable(r, kMaxTableColumns);
            return sheet;
        }
        sheet.rows.resize(r + 1);
        for (auto& field : record) {
            std::string cell;
            AppendCellText(cell, field);
            if (CellTooLong(cell)) {
                const size_t col = sheet.rows[r].size();
                sheet.rows.clear();
                sheet.damage = CellTooLongDamage(r, col);
                return sheet;
            }
            sheet.rows[r].push_back({std::move(cell), false});
        }
    }
    return sheet;
}

} // namespace pyrostat
