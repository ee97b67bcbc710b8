#pragma once

#include "platform/ClipboardService.h"
#include "program/ProgramState.h"
#include "workspace/ClipboardCommands.h"
#include "workspace/GridContract.h"
#include "workspace/SelectionRange.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pyrostat {

// The editing commands of the property grid. They work on the block the user
// last selected (fed by the grid's BlockSelected event) or, with none, on the
// cursor's cell or row; every command that uses the selection clears it.
class EditingCommands {
public:
    EditingCommands(GridContract& grid, const ProgramState& state, ClipboardService& clipboard);

    SelectionRange& Selection() { return selection_; }
    const SelectionRange& Selection() const { return selection_; }

    // The grid's BlockSelected event: corners in order, -1 for whole rows or
    // whole columns.
    void OnBlockSelected(int col, int row, int col2, int row2);

    // Empties a block of cells; leaves the selection and the focus alone.
    void ClearCellsData(int16_t upperRow, int16_t leftCol, int16_t lowerRow, int16_t rightCol);

    // F4..F9: fills the block with the values of the row above it.
    void CopyUpperValues();
    // Shift+Delete, Ctrl+Delete: cuts the block to the clipboard.
    void DeleteCells();
    // Inserts an empty row at the cursor.
    void CmdInsert();
    // Deletes the selected rows, or the cursor's row.
    void CmdDel();
    // Before the cursor leaves a cell: an area of 0 is emptied and, with the
    // automatic height ticked, a row with a designation and an area gets
    // DefaultHeight as its mean height.
    void OnLeaveCell(bool heightTicked);

    void CopyToClipboard() { clipboard_.CopyToClipboard(); }
    void PasteFromClipboard() { clipboard_.PasteFromClipboard(); }
    // What the last paste could not put in as it was.
    const PasteReport& LastPasteReport() const { return clipboard_.LastPasteReport(); }
    const std::vector<std::array<std::string, 11>>& CopiedRows() const {
        return clipboard_.CopiedRows();
    }

private:
    GridContract& grid_;
    const ProgramState& state_;
    SelectionRange selection_;
    ClipboardCommands clipboard_;
};

} // namespace pyrostat
