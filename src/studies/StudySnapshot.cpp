#include "studies/StudySnapshot.h"

#include "platform/Utf8.h"

namespace pyrostat {

StudySnapshot TakeStudySnapshot(const GridContract& grid, const StudyWindowFields& fields,
                                const ProgramState& state) {
    StudySnapshot snapshot;
    const int last = grid.DataRowCnt();
    for (int r = 1; r <= last; ++r) {
        StudyRow row;
        for (int c = 1; c <= kGridColumns; ++c) {
            row[c - 1] = grid.CellText(r, c);
        }
        snapshot.rows.push_back(std::move(row));
    }
    // The file keeps the title trimmed: blanks typed around it change nothing.
    snapshot.title = TrimBlanks(fields.TitleText());
    snapshot.insulation = fields.InsulationTicked();
    snapshot.employer = state.Employer;
    snapshot.project = state.Project;
    snapshot.location = state.Location;
    return snapshot;
}

} // namespace pyrostat
