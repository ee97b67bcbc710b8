#include "billing/ReadingsImport.h"

#include "platform/TextFold.h"
#include "platform/Utf8.h"
#include "studies/TableImport.h"
#include "workspace/NumberText.h"

#include <charconv>
#include <cmath>
#include <map>

namespace pyrostat {

namespace {

struct Role {
    const char* key;
    int ReadingColumns::*column;
};
constexpr Role kRoles[] = {
    {"property", &ReadingColumns::property}, {"previous", &ReadingColumns::previous},
    {"current", &ReadingColumns::current},   {"measure", &ReadingColumns::measure},
    {"marks", &ReadingColumns::marks},       {"headings", &ReadingColumns::headingRows},
};

// A cell as the readings table takes it: a stored number in the locale's
// separators (without grouping, as it would be typed), a text as it is.
std::string CellText(const SheetCell& cell, NumberLocale locale) {
    std::string text = TrimBlanks(cell.text);
    if (cell.number) {
        for (char& ch : text) {
            ch = ch == '.' ? locale.decimal : ch;
        }
    }
    for (char& ch : text) {
        ch = (ch == '\t' || ch == '\n' || ch == '\r') ? ' ' : ch;
    }
    return text;
}

bool LooksNumeric(const SheetCell& cell) {
    if (cell.number) {
        return true;
    }
    const std::string t = TrimBlanks(cell.text);
    return !t.empty() && t.find_first_not_of("0123456789.,") == std::string::npos;
}

} // namespace

std::string ReadingColumns::Fault() const {
    if (property < 0) {
        return "Διαλέξτε τη στήλη της Ιδιοκτησίας.";
    }
    if (current < 0 && measure < 0) {
        return "Διαλέξτε τη στήλη της τρέχουσας ένδειξης ή των ωρών (μονάδων) της περιόδου.";
    }
    if (current >= 0 && measure >= 0) {
        return "Διαλέξτε είτε τις ενδείξεις είτε τις ώρες (μονάδες) της περιόδου, όχι και τα δύο.";
    }
    if (previous >= 0 && current < 0) {
        return "Η προηγούμενη ένδειξη θέλει και την τρέχουσα.";
    }
    std::map<int, int> used;
    for (const int col : {property, previous, current, measure, marks}) {
        if (col >= 0 && ++used[col] > 1) {
            return "Μια στήλη διαλέχτηκε για δύο ρόλους (στήλη " + std::to_string(col + 1) + ").";
        }
    }
    if (headingRows < 0) {
        return "Οι γραμμές επικεφαλίδας δεν μπορεί να είναι αρνητικές.";
    }
    return {};
}

std::string ColumnsText(const ReadingColumns& columns) {
    std::string text;
    for (const Role& role : kRoles) {
        text += (text.empty() ? "" : ";") + std::string(role.key) + "=" +
                std::to_string(columns.*role.column);
    }
    return text;
}

std::optional<ReadingColumns> ColumnsFromText(std::string_view text) {
    ReadingColumns columns;
    int found = 0;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find(';', start), text.size());
        const std::string_view part = text.substr(start, end - start);
        const size_t eq = part.find('=');
        if (eq == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view key = part.substr(0, eq), value = part.substr(eq + 1);
        int number = 0;
        const auto [at, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
        if (ec != std::errc() || at != value.data() + value.size() || number < -1 ||
            number > static_cast<int>(kMaxTableColumns)) {
            return std::nullopt;
        }
        bool known = false;
        for (const Role& role : kRoles) {
            if (key == role.key) {
                columns.*role.column = number;
                known = true;
                ++found;
            }
        }
        if (!known) {
            return std::nullopt;
        }
        start = end + 1;
    }
    if (found != static_cast<int>(std::size(kRoles))) {
        return std::nullopt;
    }
    return columns;
}

SheetRows ReadReadingsFile(const std::string& path) {
    switch (TableFormatOf(path)) {
    case TableFormat::Xlsx:
        return ReadXlsxRows(path);
    case TableFormat::Ods:
        return ReadOdsRows(path);
    default:
        return ReadCsvRows(path);
    }
}

ReadingColumns GuessReadingColumns(const SheetRows& sheet) {
    ReadingColumns columns;
    if (sheet.rows.empty()) {
        return columns;
    }
    // Headings that name the columns.
    const std::vector<SheetCell>& first = sheet.rows.front();
    const struct {
        const char* word; // its start, folded
        int ReadingColumns::*column;
    } words[] = {
        {"ΙΔΙΟΚΤΗΣ", &ReadingColumns::property}, {"ΔΙΑΜΕΡΙΣ", &ReadingColumns::property},
        {"ΠΡΟΗΓ", &ReadingColumns::previous},    {"ΤΡΕΧ", &ReadingColumns::current},
        {"ΝΕΑ", &ReadingColumns::current},       {"ΩΡΕΣ", &ReadingColumns::measure},
        {"ΜΟΝΑΔ", &ReadingColumns::measure},     {"ΣΗΜΕΙΩΣ", &ReadingColumns::marks},
    };
    ReadingColumns named;
    named.property = -1;
    bool anyNamed = false;
    for (size_t c = 0; c < first.size(); ++c) {
        if (first[c].number) {
            continue;
        }
        const std::string folded = FoldTitle(first[c].text);
        for (const auto& w : words) {
            if (folded.starts_with(FoldTitle(w.word)) && named.*w.column < 0) {
                named.*w.column = static_cast<int>(c);
                anyNamed = true;
                break;
            }
        }
    }
    if (anyNamed) {
        named.headingRows = 1;
        if (named.property < 0) {
            named.property = 0;
        }
        return named;
    }
    // No headings: the property, then one number or two.
    const std::vector<SheetCell>& row = first;
    int numbers = 0;
    for (size_t c = 1; c < row.size() && LooksNumeric(row[c]); ++c) {
        ++numbers;
    }
    columns.property = 0;
    if (numbers >= 2) {
        columns.previous = 1;
        columns.current = 2;
        columns.marks = row.size() > 3 ? 3 : -1;
    } else {
        columns.measure = 1;
        columns.marks = row.size() > 2 ? 2 : -1;
    }
    return columns;
}

MappedReadings MapReadings(const SheetRows& sheet, const ReadingColumns& columns,
                           NumberLocale locale) {
    MappedReadings mapped;
    auto cell = [&](const std::vector<SheetCell>& row, int col) {
        return col >= 0 && static_cast<size_t>(col) < row.size() ? CellText(row[col], locale)
                                                                 : std::string();
    };
    for (size_t r = static_cast<size_t>(std::max(columns.headingRows, 0)); r < sheet.rows.size();
         ++r) {
        const std::vector<SheetCell>& row = sheet.rows[r];
        const std::string property = cell(row, columns.property);
        std::string line = property;
        if (columns.measure >= 0) {
            line += "\t" + cell(row, columns.measure);
        } else {
            if (columns.previous >= 0) {
                line += "\t" + cell(row, columns.previous);
            }
            line += "\t" + cell(row, columns.current);
        }
        const std::string marks = cell(row, columns.marks);
        if (!marks.empty()) {
            line += "\t" + marks;
        }
        if (line.find_first_not_of('\t') == std::string::npos) {
            line.clear(); // a blank row, skipped as a blank line
        }
        mapped.table += line + "\n";
    }
    mapped.firstLine = std::max(columns.headingRows, 0) + 1;
    return mapped;
}

} // namespace pyrostat
