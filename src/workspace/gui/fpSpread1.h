#pragma once

#include "platform/ClipboardService.h"
#include "workspace/GridContract.h"
#include "workspace/MemoryGrid.h"

#include <QTableView>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace pyrostat {

class CellDelegate;
class GridModel;

// The main window's property grid: a table view over the shared GridTable that
// keeps the grid contract. Block and text operations run on a MemoryGrid over
// the same table; the view owns the cursor, the focus, the widths and heights.
class fpSpread1 : public QTableView, public GridContract {
    Q_OBJECT

public:
    fpSpread1(GridTable& table, ClipboardService* clipboard, QWidget* parent = nullptr);
    ~fpSpread1() override;

    GridModel& Model() { return *model_; }
    GridTable& Table() { return memory_.Table(); }
    // Number cells take and show the locale's decimal separator.
    void SetNumberLocale(NumberLocale locale);
    // Whether the screen shows a block of more than the cursor's cell.
    bool ShowsBlock() const;

    int Row() const override { return memory_.Row(); }
    void SetRow(int row) override { memory_.SetRow(row); }
    int Col() const override { return memory_.Col(); }
    void SetCol(int col) override { memory_.SetCol(col); }
    int Row2() const override { return memory_.Row2(); }
    void SetRow2(int row) override { memory_.SetRow2(row); }
    int Col2() const override { return memory_.Col2(); }
    void SetCol2(int col) override { memory_.SetCol2(col); }
    bool BlockMode() const override { return memory_.BlockMode(); }
    void SetBlockMode(bool on) override { memory_.SetBlockMode(on); }
    int ActiveRow() const override;
    int ActiveCol() const override;

    std::string Text() const override { return memory_.Text(); }
    bool SetText(const std::string& text) override { return memory_.SetText(text); }

    int DataRowCnt() const override { return memory_.DataRowCnt(); }
    int DataColCnt() const override { return memory_.DataColCnt(); }
    int MaxCols() const override { return memory_.MaxCols(); }
    int MaxRows() const override { return memory_.MaxRows(); }

    // Widths in average-character units of the grid's font; the header row's
    // height in points.
    double ColWidth(int col) const override;
    void SetColWidth(int col, double width) override;
    double RowHeight(int row) const override;
    void SetRowHeight(int row, double height) override;

    void Action(int code) override;
    void SetFocus() override;
    void SetHeaderWrap(bool on) override;

    PasteReport LastPasteReport() const override { return memory_.LastPasteReport(); }
    std::string CellText(int row, int col) const override { return memory_.CellText(row, col); }
    bool SetCellText(int row, int col, const std::string& text) override {
        return memory_.SetCellText(row, col, text);
    }

    bool IsEditing() const { return state() == QAbstractItemView::EditingState; }
    // Stores what an open cell editor holds, as leaving the cell does, and
    // closes it. When the cell refuses the typed text the editor stays open
    // with the focus, EditorRefused shows why, and the result is false: the
    // command that asked must not run. True when no editor is open.
    bool CommitEditor();
    // Empties the given cells (row, column from 1) as one undoable step: the
    // Delete key on a selected block. Unset: only the cursor's cell is emptied.
    std::function<void(const std::vector<std::pair<int, int>>& cells)> ClearCells;
    // Closes an open cell editor without storing what it holds (Esc).
    void CancelEditor();
    // Shows the refusal of a typed text (a message box). Unset: none.
    std::function<void(const std::string& message)> EditorRefused;
    // Opens the editor of the cursor's cell, as Enter does.
    void EditCurrentCell();
    // Wide enough for all eleven columns.
    QSize sizeHint() const override;
    // Pixels of one width unit.
    double PixelsPerWidthUnit() const;

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class HeaderPick { None, Rows, Columns };

    void ShowRefusal(QWidget* editor, const std::string& message);
    // Raises LeaveCell for a move to `target`; true when the move may go on.
    bool MayLeaveFor(const QModelIndex& target);
    void RaiseBlockSelected();
    void OnSectionResized(int logicalIndex, int oldSize, int newSize);

    MemoryGrid memory_;
    GridModel* model_;
    CellDelegate* delegate_;
    HeaderPick headerPick_ = HeaderPick::None;
    bool settingWidth_ = false;
    // The width unit as last measured, with the font and separator it was for.
    mutable double unit_ = 0;
    mutable QFont unitFont_;
    mutable char unitDecimal_ = 0;
};

} // namespace pyrostat
