#pragma once

#include "workspace/GridLayout.h"

#include <array>
#include <string>
#include <vector>

namespace pyrostat {

class GridContract;

// The eleven cell texts of one grid row; index 0 is column 1.
using StudyRow = std::array<std::string, kGridColumns>;

// The texts of grid rows 1 to the last row holding data, read cell by cell
// through the grid's current cell (as the save does).
std::vector<StudyRow> ReadGridRows(GridContract& grid);

} // namespace pyrostat
