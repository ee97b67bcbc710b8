#include "workspace/EditingCommands.h"

#include "platform/Utf8.h"
#include "program/NumberLocale.h"
#include "workspace/CellRules.h"
#include "workspace/GridLayout.h"
#include "workspace/NumberText.h"

#include <algorithm>

namespace pyrostat {

namespace {

constexpr int kAreaColumn = 5;
constexpr int kHeightColumn = 6;

void SetGridBlock(GridContract& grid, int row, int col, int row2, int col2) {
    grid.SetRow(row);
    grid.SetCol(col);
    grid.SetRow2(row2);
    grid.SetCol2(col2);
}

} // namespace

EditingCommands::EditingCommands(GridContract& grid, const ProgramState& state,
                                 ClipboardService& clipboard)
    : grid_(grid), state_(state), clipboard_(grid, selection_, clipboard) {}

void EditingCommands::OnBlockSelected(int col, int row, int col2, int row2) {
    selection_.UpperRow = row;
    selection_.LowerRow = row2;
    selection_.LeftCol = col;
    selection_.RightCol = col2;
}

void EditingCommands::ClearCellsData(int16_t upperRow, int16_t leftCol, int16_t lowerRow,
                                     int16_t rightCol) {
    SetGridBlock(grid_, upperRow, leftCol, lowerRow, rightCol);
    grid_.SetBlockMode(true);
    grid_.Action(GridContract::kActionClear);
    grid_.SetBlockMode(false);
}

void EditingCommands::CopyUpperValues() {
    const int cursorRow = grid_.ActiveRow();
    if (cursorRow == 1) {
        return;
    }
    if (selection_.UpperRow <= 0) {
        selection_.UpperRow = cursorRow;
        selection_.LowerRow = cursorRow;
    }
    if (selection_.LeftCol <= 0) {
        selection_.LeftCol = grid_.ActiveCol();
        selection_.RightCol = grid_.ActiveCol();
    }

    // A block that starts at row 1 has the header row above it: there is
    // nothing to copy.
    if (selection_.UpperRow > 1) {
        std::array<std::string, kGridColumns + 1> above;
        for (int col = 1; col <= kGridColumns; ++col) {
            above[static_cast<size_t>(col)] = TextAt(grid_, selection_.UpperRow - 1, col);
        }
        const int lowerRow = std::min(selection_.LowerRow, grid_.MaxRows());
        const int rightCol = std::min(selection_.RightCol, kGridColumns);
        for (int row = selection_.UpperRow; row <= lowerRow; ++row) {
            for (int col = selection_.LeftCol; col <= rightCol; ++col) {
                grid_.SetRow(row);
                grid_.SetCol(col);
                grid_.SetText(above[static_cast<size_t>(col)]);
            }
        }
    }

    selection_.Reset();
    grid_.SetFocus();
}

void EditingCommands::DeleteCells() {
    SetGridBlock(grid_, selection_.UpperRow, selection_.LeftCol, selection_.LowerRow,
                 selection_.RightCol);
    grid_.SetBlockMode(true);
    grid_.Action(GridContract::kActionCut);
    grid_.SetBlockMode(false);
    selection_.Reset();
}

void EditingCommands::CmdInsert() {
    grid_.SetRow(grid_.ActiveRow());
    grid_.Action(GridContract::kActionInsertRow);
    selection_.Reset();
    SetGridBlock(grid_, 0, 0, 0, 0);
    grid_.Action(GridContract::kActionDeselect);
    grid_.SetFocus();
}

void EditingCommands::CmdDel() {
    if (selection_.UpperRow == 0 && selection_.LowerRow == 0) {
        grid_.SetRow(grid_.ActiveRow());
        grid_.Action(GridContract::kActionDeleteRow);
    } else {
        // Bottom up, so that the rows still to delete keep their numbers.
        for (int row = selection_.LowerRow; row >= selection_.UpperRow; --row) {
            grid_.SetRow(row);
            grid_.Action(GridContract::kActionDeleteRow);
        }
    }
    grid_.Action(GridContract::kActionDeselect);
    grid_.Action(GridContract::kActionDeselect);
    selection_.Reset();
    grid_.SetFocus();
}

void EditingCommands::OnLeaveCell(bool heightTicked) {
    const int row = grid_.ActiveRow();
    if (CellValue(TextAt(grid_, row, kAreaColumn), NumberLocale::Of(state_)) == 0.0) {
        grid_.SetText("");
    }
    if (!heightTicked) {
        return;
    }
    const int col = grid_.ActiveCol();
    if (col != kNameColumn && col != kAreaColumn) {
        return;
    }
    const std::string designation = TrimBlanks(TextAt(grid_, row, kNameColumn));
    const double area = CellValue(TextAt(grid_, row, kAreaColumn), NumberLocale::Of(state_));
    if (!designation.empty() && area != 0.0) {
        grid_.SetRow(row);
        grid_.SetCol(kHeightColumn);
        grid_.SetText(FormatCellNumber(state_.DefaultHeight, NumberLocale::Of(state_)));
    }
    grid_.SetCol(col);
}

} // namespace pyrostat
