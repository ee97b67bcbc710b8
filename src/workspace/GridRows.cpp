#include "workspace/GridRows.h"

#include "workspace/GridContract.h"

namespace pyrostat {

std::vector<StudyRow> ReadGridRows(GridContract& grid) {
    std::vector<StudyRow> rows;
    const int last = grid.DataRowCnt();
    rows.reserve(last > 0 ? static_cast<size_t>(last) : 0);
    for (int r = 1; r <= last; ++r) {
        StudyRow row;
        for (int c = 1; c <= kGridColumns; ++c) {
            row[c - 1] = TextAt(grid, r, c);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace pyrostat
