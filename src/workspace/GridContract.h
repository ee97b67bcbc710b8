#pragma once

#include "workspace/PasteReport.h"

#include <functional>
#include <string>

namespace pyrostat {

// The operations through which every command reaches the property grid. Cells
// are addressed from 1; row 0 is the header row, column 0 the row-header column,
// and -1 stands for every row or every column of a block.
class GridContract {
public:
    // Codes of Action().
    enum ActionCode {
        kActionGoToCell = 1,
        kActionClear = 3,
        kActionDeleteRow = 5,
        kActionInsertRow = 7,
        kActionDeselect = 14,
        kActionCopy = 22,
        kActionCut = 23,
        kActionPaste = 24,
    };

    virtual ~GridContract() = default;

    virtual int Row() const = 0;
    virtual void SetRow(int row) = 0;
    virtual int Col() const = 0;
    virtual void SetCol(int col) = 0;
    virtual int Row2() const = 0;
    virtual void SetRow2(int row) = 0;
    virtual int Col2() const = 0;
    virtual void SetCol2(int col) = 0;
    virtual bool BlockMode() const = 0;
    virtual void SetBlockMode(bool on) = 0;

    // The cell holding the cursor; setting Row/Col does not move it.
    virtual int ActiveRow() const = 0;
    virtual int ActiveCol() const = 0;

    // Displayed text of the current cell (Row, Col); numbers come back
    // formatted. Setting an empty text clears the cell. A text that the cell
    // cannot take (out of range, not in the list, not storable) is refused and
    // the cell keeps its content; SetText then returns false.
    virtual std::string Text() const = 0;
    virtual bool SetText(const std::string& text) = 0;

    virtual int DataRowCnt() const = 0;
    virtual int DataColCnt() const = 0;
    virtual int MaxCols() const = 0;
    virtual int MaxRows() const = 0;

    virtual double ColWidth(int col) const = 0;
    virtual void SetColWidth(int col, double width) = 0;
    virtual double RowHeight(int row) const = 0;
    virtual void SetRowHeight(int row, double height) = 0;

    virtual void Action(int code) = 0;
    virtual void SetFocus() = 0;
    virtual void SetHeaderWrap(bool on) = 0;

    // Convenience: text of cell (row, col) without moving Row/Col.
    // What the last paste (Action kActionPaste) could not put in as it was.
    virtual PasteReport LastPasteReport() const { return {}; }

    virtual std::string CellText(int row, int col) const = 0;
    virtual bool SetCellText(int row, int col, const std::string& text) = 0;

    // Events. BlockSelected(col, row, col2, row2): whole rows give col -1,
    // whole columns row -1. LeaveCell(col, row, newCol, newRow, cancel) runs
    // before the cursor leaves a cell.
    std::function<void(int, int, int, int)> BlockSelected;
    std::function<void(int, int, int, int, bool&)> LeaveCell;
};

// Moves the current cell (Row, Col) to (row, col) and returns the text there.
inline std::string TextAt(GridContract& grid, int row, int col) {
    grid.SetRow(row);
    grid.SetCol(col);
    return grid.Text();
}

} // namespace pyrostat
