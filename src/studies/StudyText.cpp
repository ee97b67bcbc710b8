#include "studies/StudyText.h"

#include "platform/Codepage1253.h"
#include "platform/Utf8.h"
#include "studies/PropertyRecord.h"
#include "workspace/CellRules.h"

namespace pyrostat {

namespace {

constexpr const char* kTitleLabel = "ΤΙΤΛΟΣ";
constexpr const char* kInsulationLabel = "ΜΟΝΩΣΗ";
constexpr const char* kEmployerLabel = "ΕΡΓΟΔΟΤΗΣ";
constexpr const char* kProjectLabel = "ΕΡΓΟ";
constexpr const char* kLocationLabel = "ΘΕΣΗ ΕΡΓΟΥ";
constexpr const char* kYes = "ΝΑΙ";
constexpr const char* kNo = "ΟΧΙ";

// Lines end in CR LF, LF or a lone CR (as some spreadsheet programs write
// them).
std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            return lines;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
}

std::vector<std::string> SplitCells(const std::string& line) {
    std::vector<std::string> cells;
    size_t start = 0;
    while (true) {
        const size_t tab = line.find('\t', start);
        cells.push_back(
            line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) {
            return cells;
        }
        start = tab + 1;
    }
}

} // namespace

std::string FormatStudyText(const StudyTextContents& study) {
    std::string text;
    const auto header = [&text](const char* label, const std::string& value) {
        text += std::string("# ") + label + "\t" + value + "\r\n";
    };
    header(kTitleLabel, TrimBlanks(study.title));
    header(kInsulationLabel, study.insulation ? kYes : kNo);
    header(kEmployerLabel, TrimBlanks(study.general.Employer));
    header(kProjectLabel, TrimBlanks(study.general.Project));
    header(kLocationLabel, TrimBlanks(study.general.Location));
    for (const StudyRow& row : study.rows) {
        for (size_t c = 0; c < row.size(); ++c) {
            if (c != 0) {
                text += '\t';
            }
            text += row[c];
        }
        text += "\r\n";
    }
    return text;
}

ParsedStudyText ParseStudyText(std::string_view bytes, NumberLocale locale) {
    ParsedStudyText parsed;
    const std::string text = TextFileToUtf8(bytes);
    const std::vector<std::string> lines = SplitLines(text);
    const auto refuse = [&parsed](int line, int row, int col, std::string value,
                                  std::string reason) {
        parsed.refusals.push_back({line, row, col, std::move(value), std::move(reason)});
    };

    std::vector<StudyRow> rows;
    size_t lastFilled = 0;
    int rowsPast = 0; // rows past the grid's last
    for (size_t i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i + 1);
        const std::string& line = lines[i];
        if (!line.empty() && line[0] == '#') {
            const std::string body = line.substr(1);
            const size_t tab = body.find('\t');
            if (tab == std::string::npos) {
                continue; // a comment
            }
            const std::string label = TrimBlanks(body.substr(0, tab));
            const std::string value = TrimBlanks(body.substr(tab + 1));
            StudyTextContents& c = parsed.contents;
            if (label == kTitleLabel) {
                if (!IsCp1253Encodable(value)) {
                    refuse(lineNo, 0, 0, value,
                           "χαρακτήρες που δεν αποθηκεύονται στην ελληνική κωδικοσελίδα");
                } else if (Utf8Length(value) > PropertyRecord::kTitleWidth) {
                    refuse(lineNo, 0, 0, value, "τίτλος με περισσότερους από 78 χαρακτήρες");
                } else {
                    c.title = value;
                }
            } else if (label == kInsulationLabel) {
                if (value == kYes || value.empty() || value == kNo) {
                    c.insulation = value == kYes;
                    c.insulationGiven = !value.empty();
                } else {
                    refuse(lineNo, 0, 0, value, "η μόνωση γράφεται ΝΑΙ ή ΟΧΙ");
                }
            } else if (label == kEmployerLabel || label == kProjectLabel ||
                       label == kLocationLabel) {
                std::string& target = label == kEmployerLabel  ? c.general.Employer
                                      : label == kProjectLabel ? c.general.Project
                                                               : c.general.Location;
                if (IsGeneralDataText(value)) {
                    target = value;
                } else {
                    refuse(lineNo, 0, 0, value,
                           "εισαγωγικά ή χαρακτήρες εκτός ελληνικής κωδικοσελίδας");
                }
            }
            continue;
        }
        const int rowNo = static_cast<int>(rows.size() + 1) + rowsPast;
        if (rowNo > kGridRows) {
            // Past the grid's last row: counted, and refused where a value
            // stands (a row of empty cells is no value).
            ++rowsPast;
            const std::vector<std::string> cells = SplitCells(line);
            if (std::any_of(cells.begin(), cells.end(),
                            [](const std::string& c) { return !TrimBlanks(c).empty(); })) {
                refuse(lineNo, rowNo, 0, line, "περισσότερες από 500 σειρές");
            }
            continue;
        }
        StudyRow row;
        const std::vector<std::string> cells = SplitCells(line);
        bool filled = false;
        for (size_t c = 0; c < cells.size(); ++c) {
            const int col = static_cast<int>(c + 1);
            if (col > kGridColumns) {
                if (!TrimBlanks(cells[c]).empty()) {
                    refuse(lineNo, rowNo, col, cells[c], "περισσότερα από 11 κελιά");
                }
                continue;
            }
            const auto cell = NormaliseCellText(col, cells[c], locale);
            if (!cell) {
                refuse(lineNo, rowNo, col, cells[c], CellRefusalReason(col, cells[c], locale));
                continue;
            }
            row[c] = *cell;
            filled = filled || !cell->empty();
        }
        rows.push_back(std::move(row));
        if (filled) {
            lastFilled = rows.size();
        }
    }
    rows.resize(lastFilled);
    parsed.contents.rows = std::move(rows);
    return parsed;
}

std::string DescribeRefusal(const TextRefusal& refusal) {
    std::string where = "γραμμή " + std::to_string(refusal.line);
    if (refusal.row > 0) {
        where += " (σειρά " + std::to_string(refusal.row);
        if (refusal.col > 0) {
            where += ", στήλη " + std::to_string(refusal.col);
        }
        where += ")";
    }
    return where + ": «" + ShortenForMessage(refusal.text) + "» " + refusal.reason;
}

} // namespace pyrostat
