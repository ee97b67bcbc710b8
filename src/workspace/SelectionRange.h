#pragma once

namespace pyrostat {

// The block the user last selected in the grid. Whole rows carry -1 in both
// columns, whole columns -1 in both rows; all four are 0 when nothing has been
// selected since the last command that used the selection.
struct SelectionRange {
    int UpperRow = 0, LowerRow = 0, LeftCol = 0, RightCol = 0;
    void Reset() { UpperRow = LowerRow = LeftCol = RightCol = 0; }

    bool WholeRows() const { return LeftCol == -1 && RightCol == -1; }
    bool WholeColumns() const { return UpperRow == -1 && LowerRow == -1; }
};

} // namespace pyrostat
