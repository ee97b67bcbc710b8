#pragma once

#include "program/NumberLocale.h"
#include "program/ProgramState.h"
#include "workspace/GridContract.h"
#include "workspace/GridLayout.h"
#include "workspace/GridRows.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pyrostat {

// Empties rows 1 to the last row holding data, columns 1 to 11, as one block.
void ClearGridRows(GridContract& grid);

// The study file's bytes: one 197-byte record per row, the title and the
// insulation choice repeated in every record, numbers read from the cell
// texts with TextToNumber (an empty cell gives 0) and the volume the single
// product of area and height.
std::string EncodeStudyRecords(const std::vector<StudyRow>& rows, std::string_view title,
                               bool insulation, const NumberSeparators& separators);

// What a study file holds, as cell texts the grid accepts.
struct DecodedStudy {
    size_t records = 0;   // whole records in the file
    std::string title;    // of record 1, trimmed
    float insulation = 0; // of record 1: -1 ticked, 0 not, other leaves the box alone
    std::vector<StudyRow> rows;
    size_t trailingBytes = 0;  // a partial record at the end (not read)
    int nonFiniteValues = 0;   // NaN or infinity, left empty
    int refusedValues = 0;     // finite but not storable in the cell, left empty
    size_t droppedRecords = 0; // records beyond the grid's last row

    // The insulation choice the file makes: ticked (-1), not ticked (0), or
    // none (any other value, and a file without records), which leaves the
    // box as it was. Every reader of a study decides through this one place.
    std::optional<bool> InsulationChoice() const;
    // The insulation box after opening the file, given the box before it
    // (the window's box starts ticked, and so do the commands without one).
    bool InsulatedAfterOpening(bool boxBefore = true) const {
        return InsulationChoice().value_or(boxBefore);
    }

    // Whether the user must be told the file is damaged.
    bool Damaged() const {
        return trailingBytes != 0 || nonFiniteValues != 0 || refusedValues != 0 ||
               droppedRecords != 0;
    }
};

// Reads whole records only, never past the end; at most `maxRows` rows.
DecodedStudy DecodeStudyRecords(std::string_view bytes, NumberLocale locale, int maxRows);

// The Greek text that tells the user what was wrong with a damaged file.
std::string DamagedStudyMessage(const DecodedStudy& study, const std::string& path);

// "X/name.pyx" gives "X/name.tpx" (the last four characters replaced); a path
// that does not end in ".pyx" gets ".tpx" appended.
std::string CompanionPathOf(const std::string& studyPath);
// "X/name.pyx" gives "X/BACKUP/name.pyx".
std::string BackupPathOf(const std::string& studyPath);
// The study's folder with its trailing "/" (empty for a bare name).
std::string FolderOfPath(const std::string& path);
// True when the path ends in ".pyx" in any case.
bool HasStudyExtension(const std::string& path);

} // namespace pyrostat
