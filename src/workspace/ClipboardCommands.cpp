#include "workspace/ClipboardCommands.h"

#include "platform/Utf8.h"
#include "workspace/ClipboardText.h"

#include <algorithm>

namespace pyrostat {

ClipboardCommands::ClipboardCommands(GridContract& grid, SelectionRange& selection,
                                     ClipboardService& clipboard)
    : grid_(grid), selection_(selection), clipboard_(clipboard) {}

void ClipboardCommands::SetGridBlockToSelection() {
    grid_.SetRow(selection_.UpperRow);
    grid_.SetCol(selection_.LeftCol);
    grid_.SetRow2(selection_.LowerRow);
    grid_.SetCol2(selection_.RightCol);
}

void ClipboardCommands::CopyToClipboard() {
    SetGridBlockToSelection();
    if (selection_.WholeRows()) {
        // The selection stays in force: the user may copy the same rows again.
        CopyWholeRows();
        grid_.SetFocus();
        return;
    }
    if (selection_.WholeColumns()) {
        copiedRows_.clear();
        clipboard_.Clear();
        grid_.SetFocus();
        return;
    }
    copiedRows_.clear();
    grid_.Action(GridContract::kActionCopy);
    selection_.Reset();
    grid_.SetFocus();
}

void ClipboardCommands::CopyWholeRows() {
    int first = selection_.UpperRow;
    int last = selection_.LowerRow;
    if (first == -1) {
        // The whole table is selected (the corner of the headers): every row
        // that holds data, not a row numbered -1.
        first = 1;
        last = grid_.DataRowCnt();
    }
    first = std::max(first, 1);
    last = std::min(last, grid_.MaxRows());
    copiedRows_.clear();
    for (int row = first; row <= last; ++row) {
        std::array<std::string, kGridColumns> texts;
        for (int col = 1; col <= kGridColumns; ++col) {
            texts[static_cast<size_t>(col - 1)] = TrimBlanks(grid_.CellText(row, col));
        }
        copiedRows_.push_back(std::move(texts));
    }
}

void ClipboardCommands::PasteFromClipboard() {
    SetGridBlockToSelection();
    lastReport_ = {};
    if (!copiedRows_.empty()) {
        PasteCopiedRows();
    } else if (selection_.UpperRow == 0 || selection_.LowerRow == 0) {
        // No block: the grid pastes with the cursor's cell as the top-left cell.
        grid_.Action(GridContract::kActionPaste);
        lastReport_ = grid_.LastPasteReport();
    } else {
        PasteIntoBlock();
    }
    grid_.Action(GridContract::kActionDeselect);
    selection_.Reset();
    grid_.SetFocus();
}

void ClipboardCommands::PasteCopiedRows() {
    const int top = grid_.ActiveRow();
    const int maxRows = grid_.MaxRows();
    for (size_t i = 0; i < copiedRows_.size(); ++i) {
        const int row = top + static_cast<int>(i);
        if (row > maxRows) {
            break; // rows that would fall below the grid are dropped
        }
        for (int col = 1; col <= kGridColumns; ++col) {
            grid_.SetRow(row);
            grid_.SetCol(col);
            grid_.SetText(copiedRows_[i][static_cast<size_t>(col - 1)]);
        }
    }
}

void ClipboardCommands::PasteIntoBlock() {
    const auto pasted = SplitClipboardText(clipboard_.Text());
    if (pasted.empty()) {
        return; // nothing on the clipboard: the block keeps what it holds
    }

    // The grid pastes the text into the block's top rows at once, clipped to
    // the block.
    grid_.Action(GridContract::kActionPaste);
    lastReport_ = grid_.LastPasteReport();
    if (selection_.WholeColumns()) {
        return; // the paste already ran down the columns
    }

    // The rows of the block below the pasted text repeat it: one pasted row
    // fills the whole selection, two pasted rows alternate. Only the columns
    // the text reached are repeated; the others keep their values.
    const int leftCol = selection_.WholeRows() ? 1 : selection_.LeftCol;
    const int blockRight = selection_.WholeRows() ? kGridColumns : selection_.RightCol;
    const int width = static_cast<int>(ClipboardTextWidth(pasted));
    const int rightCol = std::min({blockRight, leftCol + width - 1, grid_.MaxCols()});
    const int height = static_cast<int>(pasted.size());
    const int lowerRow = std::min(selection_.LowerRow, grid_.MaxRows());
    for (int row = selection_.UpperRow + height; row <= lowerRow; ++row) {
        for (int col = std::max(leftCol, 1); col <= rightCol; ++col) {
            const std::string text = TextAt(grid_, row - height, col);
            grid_.SetRow(row);
            grid_.SetText(text);
        }
    }
}

} // namespace pyrostat
