#pragma once

#include "platform/ClipboardService.h"
#include "workspace/GridContract.h"
#include "workspace/GridLayout.h"
#include "workspace/SelectionRange.h"

#include <array>
#include <string>
#include <vector>

namespace pyrostat {

// Copy and paste between the grid, the private row buffer and the system
// clipboard. Whole rows travel through the row buffer (all eleven columns,
// trimmed, pasted again and again); any other block through the system
// clipboard as text.
class ClipboardCommands {
public:
    ClipboardCommands(GridContract& grid, SelectionRange& selection, ClipboardService& clipboard);

    void CopyToClipboard();
    void PasteFromClipboard();

    // The rows copied as whole rows; element [i][c - 1] is column c of copied
    // row i + 1. Empty after any copy that was not of whole rows.
    const std::vector<std::array<std::string, kGridColumns>>& CopiedRows() const {
        return copiedRows_;
    }
    // What the last PasteFromClipboard could not put in as it was (empty
    // after a paste of copied rows, whose values came from the grid).
    const PasteReport& LastPasteReport() const { return lastReport_; }

private:
    void CopyWholeRows();
    void PasteCopiedRows();
    void PasteIntoBlock();
    void SetGridBlockToSelection();

    GridContract& grid_;
    SelectionRange& selection_;
    ClipboardService& clipboard_;
    std::vector<std::array<std::string, kGridColumns>> copiedRows_;
    PasteReport lastReport_;
};

} // namespace pyrostat
