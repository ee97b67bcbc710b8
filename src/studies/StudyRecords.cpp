#include "studies/StudyRecords.h"

#include "platform/Utf8.h"
#include "studies/PropertyRecord.h"
#include "workspace/CellRules.h"
#include "workspace/NumberText.h"

#include <cmath>

namespace pyrostat {

void ClearGridRows(GridContract& grid) {
    const int last = grid.DataRowCnt();
    if (last < 1) {
        return;
    }
    grid.SetRow(1);
    grid.SetCol(1);
    grid.SetRow2(last);
    grid.SetCol2(kGridColumns);
    grid.SetBlockMode(true);
    grid.Action(GridContract::kActionClear);
    grid.SetBlockMode(false);
}

std::string EncodeStudyRecords(const std::vector<StudyRow>& rows, std::string_view title,
                               bool insulation, const NumberSeparators& separators) {
    std::string bytes;
    bytes.reserve(rows.size() * PropertyRecord::kLength);
    const std::string trimmedTitle = TrimBlanks(title);
    for (size_t i = 0; i < rows.size(); ++i) {
        const StudyRow& row = rows[i];
        PropertyRecord p;
        p.RowNo = static_cast<int16_t>(i + 1);
        p.Title = trimmedTitle;
        p.PropertyName = TrimBlanks(row[0]);
        for (int c = 2; c <= 9; ++c) {
            p.SetColumnValue(
                c, static_cast<float>(CellValue(row[c - 1], NumberLocale::Of(separators))));
        }
        p.Volume = p.Area * p.MeanHeight;
        p.Kind = TrimBlanks(row[kKindColumn - 1]);
        p.PipePassage = TrimBlanks(row[kPipeColumn - 1]);
        p.Insulation = insulation ? -1.0f : 0.0f;
        bytes += p.Pack();
    }
    return bytes;
}

namespace {

// The cell text for one stored text or number, or empty when the cell would
// refuse it; counts what had to be left out.
std::string CellTextFor(int col, const std::string& text, NumberLocale locale,
                        DecodedStudy& study) {
    const auto normalised = NormaliseCellText(col, text, locale);
    if (!normalised) {
        ++study.refusedValues;
        return {};
    }
    return *normalised;
}

} // namespace

DecodedStudy DecodeStudyRecords(std::string_view bytes, NumberLocale locale, int maxRows) {
    DecodedStudy study;
    study.records = bytes.size() / PropertyRecord::kLength;
    study.trailingBytes = bytes.size() % PropertyRecord::kLength;
    const size_t usable = maxRows < 0 ? 0 : std::min(study.records, static_cast<size_t>(maxRows));
    study.droppedRecords = study.records - usable;
    study.rows.reserve(usable);
    for (size_t i = 0; i < usable; ++i) {
        const PropertyRecord p = PropertyRecord::Unpack(
            bytes.substr(i * PropertyRecord::kLength, PropertyRecord::kLength));
        if (i == 0) {
            study.title = p.Title;
            study.insulation = p.Insulation;
            if (!std::isfinite(p.Insulation)) {
                ++study.nonFiniteValues;
            }
        }
        StudyRow row;
        row[0] = CellTextFor(kNameColumn, p.PropertyName, locale, study);
        for (int c = 2; c <= 9; ++c) {
            const float value = p.ColumnValue(c);
            if (!std::isfinite(value)) {
                ++study.nonFiniteValues;
                continue;
            }
            // The cell's largest number has no exact single: the nearest single
            // lies just above it and stands for it.
            const double shown =
                value == static_cast<float>(kMaxCellNumber) ? kMaxCellNumber : value;
            // The cell's own text of the number, when the cell takes it (a
            // number read back from its text is written as the same text).
            std::string text = FormatCellNumber(shown, locale);
            if (ParseCellNumber(text, locale)) {
                row[c - 1] = std::move(text);
            } else {
                ++study.refusedValues;
            }
        }
        row[kKindColumn - 1] = CellTextFor(kKindColumn, p.Kind, locale, study);
        row[kPipeColumn - 1] = CellTextFor(kPipeColumn, p.PipePassage, locale, study);
        study.rows.push_back(std::move(row));
    }
    return study;
}

std::optional<bool> DecodedStudy::InsulationChoice() const {
    if (rows.empty()) {
        return std::nullopt;
    }
    if (insulation == -1.0f) {
        return true;
    }
    if (insulation == 0.0f) {
        return false;
    }
    return std::nullopt;
}

std::string DamagedStudyMessage(const DecodedStudy& study, const std::string& path) {
    std::string text = "ΤΟ ΑΡΧΕΙΟ ΤΗΣ ΜΕΛΕΤΗΣ ΕΙΝΑΙ ΚΑΤΕΣΤΡΑΜΜΕΝΟ :\n" + path + "\n";
    if (study.trailingBytes != 0) {
        text += "\nΤο μήκος του δεν είναι πολλαπλάσιο των 197 bytes: διαβάστηκαν μόνο οι " +
                std::to_string(study.records) + " πλήρεις εγγραφές.";
    }
    if (study.nonFiniteValues != 0) {
        text += "\nΤιμές που δεν είναι αριθμοί αφέθηκαν κενές: " +
                std::to_string(study.nonFiniteValues) + ".";
    }
    if (study.refusedValues != 0) {
        text += "\nΤιμές που δεν χωρούν στα κελιά αφέθηκαν κενές: " +
                std::to_string(study.refusedValues) + ".";
    }
    if (study.droppedRecords != 0) {
        text += "\nΕγγραφές πέρα από την τελευταία γραμμή του πίνακα δεν διαβάστηκαν: " +
                std::to_string(study.droppedRecords) + ".";
    }
    text += "\n\nΕλέγξτε τα δεδομένα πριν την αποθήκευση.";
    return text;
}

bool HasStudyExtension(const std::string& path) {
    if (path.size() < 4) {
        return false;
    }
    std::string ext = path.substr(path.size() - 4);
    for (char& ch : ext) {
        if (ch >= 'A' && ch <= 'Z') {
            ch = static_cast<char>(ch - 'A' + 'a');
        }
    }
    return ext == ".pyx";
}

std::string CompanionPathOf(const std::string& studyPath) {
    if (HasStudyExtension(studyPath)) {
        return studyPath.substr(0, studyPath.size() - 4) + ".tpx";
    }
    return studyPath + ".tpx";
}

std::string FolderOfPath(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string BackupPathOf(const std::string& studyPath) {
    const std::string folder = FolderOfPath(studyPath);
    return folder + "BACKUP/" + studyPath.substr(folder.size());
}

} // namespace pyrostat
