#pragma once

#include "program/ProgramState.h"
#include "studies/StudyRecords.h"
#include "studies/StudyWindowFields.h"
#include "workspace/GridContract.h"

#include <string>
#include <vector>

namespace pyrostat {

// Everything a study file keeps, as the window shows it at one moment: the
// grid's texts, the title, the insulation choice and the general data. Two
// snapshots that compare equal would be saved as the same files.
struct StudySnapshot {
    std::vector<StudyRow> rows; // rows 1 to the last row holding data
    std::string title;
    bool insulation = false;
    std::string employer;
    std::string project;
    std::string location;

    bool operator==(const StudySnapshot&) const = default;
};

// Reads the cells without moving the grid's current cell.
StudySnapshot TakeStudySnapshot(const GridContract& grid, const StudyWindowFields& fields,
                                const ProgramState& state);

} // namespace pyrostat
