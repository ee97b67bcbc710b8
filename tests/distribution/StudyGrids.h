#pragma once

#include "workspace/MemoryGrid.h"

#include <array>
#include <string>
#include <vector>

namespace pyrostat::test {

// One grid row as the engineer types it: name, eight numbers (cell texts in
// the grid's locale), kind, pipe passage.
using GridRowTexts = std::array<std::string, 11>;

inline void FillGrid(MemoryGrid& grid, const std::vector<GridRowTexts>& rows, int firstRow = 1) {
    for (size_t r = 0; r < rows.size(); ++r) {
        for (int c = 1; c <= 11; ++c) {
            grid.SetCellText(firstRow + static_cast<int>(r), c,
                             rows[r][static_cast<size_t>(c - 1)]);
        }
    }
}

// The three-flat building worked out by hand: a ground floor, an intermediate
// floor and a set-back top floor. Numbers with "." as the point; `comma`
// writes them with the decimal comma.
inline std::vector<GridRowTexts> ThreeFlats(bool comma) {
    std::vector<GridRowTexts> rows = {
        GridRowTexts{"Α1 Ισόγειο", "6000", "1200", "800", "85.5", "3", "10", "4", "6", "ΙΣΟΓΕΙΟ",
                     "ΕΚΤΟΣ ΙΔΙΟΚΤ."},
        GridRowTexts{"Β1 Όροφος", "4500", "900", "600", "72", "2.9", "8", "0", "12", "ΕΝΔΙΑΜΕΣΟ",
                     "ΕΝΤΟΣ ΙΔΙΟΚΤ."},
        GridRowTexts{"Γ1 Ρετιρέ", "5200", "1000", "700", "110", "3.2", "20", "2", "3", "ΡΕΤΙΡΕ",
                     "ΑΛΛΗ ΠΕΡΙΠΤ."},
    };
    if (comma) {
        for (auto& row : rows) {
            for (int c = 1; c <= 8; ++c) {
                for (char& ch : row[static_cast<size_t>(c)]) {
                    if (ch == '.') {
                        ch = ',';
                    }
                }
            }
        }
    }
    return rows;
}

} // namespace pyrostat::test
