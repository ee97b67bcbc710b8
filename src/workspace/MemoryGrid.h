#pragma once

#include "platform/ClipboardService.h"
#include "workspace/GridContract.h"
#include "workspace/GridTable.h"

#include <memory>
#include <string>

namespace pyrostat {

// The grid contract over a GridTable with no window: the calculation, the study
// files, the command-line tools and the tests run on it. It also stands in for
// the user (MoveCursor, SelectBlock) so that commands can be tested as they are
// driven from the window.
class MemoryGrid : public GridContract {
public:
    explicit MemoryGrid(NumberLocale locale = NumberLocale::English(),
                        ClipboardService* clipboard = nullptr);
    // Works on a table owned elsewhere (the window's model).
    MemoryGrid(GridTable& table, ClipboardService* clipboard);

    GridTable& Table() { return *table_; }
    const GridTable& Table() const { return *table_; }
    void SetClipboard(ClipboardService* clipboard) { clipboard_ = clipboard; }

    int Row() const override { return row_; }
    void SetRow(int row) override { row_ = row; }
    int Col() const override { return col_; }
    void SetCol(int col) override { col_ = col; }
    int Row2() const override { return row2_; }
    void SetRow2(int row) override { row2_ = row; }
    int Col2() const override { return col2_; }
    void SetCol2(int col) override { col2_ = col; }
    bool BlockMode() const override { return blockMode_; }
    void SetBlockMode(bool on) override { blockMode_ = on; }
    int ActiveRow() const override { return activeRow_; }
    int ActiveCol() const override { return activeCol_; }

    std::string Text() const override;
    bool SetText(const std::string& text) override;

    int DataRowCnt() const override { return table_->LastDataRow(); }
    int DataColCnt() const override { return table_->LastDataCol(); }
    int MaxCols() const override { return kGridColumns; }
    int MaxRows() const override { return kGridRows; }

    double ColWidth(int col) const override { return table_->ColWidth(col); }
    void SetColWidth(int col, double width) override { table_->SetColWidth(col, width); }
    double RowHeight(int row) const override { return table_->RowHeight(row); }
    void SetRowHeight(int row, double height) override { table_->SetRowHeight(row, height); }

    void Action(int code) override;
    void SetFocus() override { ++focusCount_; }
    void SetHeaderWrap(bool on) override { headerWrap_ = on; }
    bool HeaderWrap() const { return headerWrap_; }

    std::string CellText(int row, int col) const override;
    bool SetCellText(int row, int col, const std::string& text) override;

    // What the user does.
    // Moves the cursor: raises LeaveCell first; a cancel keeps it in place.
    bool MoveCursor(int row, int col);
    // Selects a block as a drag or a header click does and raises BlockSelected.
    void SelectBlock(int row, int col, int row2, int col2);
    // Places the cursor without raising an event (a click before any cell was
    // active, or a command that moves it).
    void PlaceCursor(int row, int col);

    int FocusCount() const { return focusCount_; }
    int SelectedBlockCount() const { return selectionCount_; }

    // The clipboard text form of a block: tab between cells, a line break after
    // each row.
    std::string BlockText(int row, int col, int row2, int col2) const;
    // Pastes clipboard text with (row, col) as its top-left cell, no further
    // than (lastRow, lastCol). Cells that refuse a value keep theirs and are
    // listed in LastPasteReport; a name loses only the characters it cannot
    // store.
    void PasteText(const std::string& text, int row, int col, int lastRow, int lastCol);
    PasteReport LastPasteReport() const override { return lastPaste_; }

private:
    struct Block {
        int row1, col1, row2, col2;
    };
    bool HasBlock() const;
    Block CurrentBlock() const;

    std::unique_ptr<GridTable> owned_;
    GridTable* table_;
    ClipboardService* clipboard_;
    int row_ = 1;
    int col_ = 1;
    int row2_ = 0;
    int col2_ = 0;
    bool blockMode_ = false;
    int activeRow_ = 1;
    int activeCol_ = 1;
    bool headerWrap_ = false;
    int focusCount_ = 0;
    PasteReport lastPaste_;
    int selectionCount_ = 0;
};

} // namespace pyrostat
