#include "workspace/gui/fpSpread1.h"

#include "workspace/gui/KeysDuringMessage.h"

#include "workspace/GridLayout.h"
#include "workspace/gui/CellDelegate.h"
#include "workspace/gui/GridModel.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace pyrostat {

namespace {

// Cell padding on both sides of a column, in pixels, added to the width units.
constexpr int kColumnPadding = 6;

} // namespace

fpSpread1::fpSpread1(GridTable& table, ClipboardService* clipboard, QWidget* parent)
    : QTableView(parent), memory_(table, clipboard), model_(new GridModel(table, this)),
      delegate_(new CellDelegate(this)) {
    setObjectName(QStringLiteral("fpSpread1"));
    setModel(model_);
    setItemDelegate(delegate_);
    delegate_->SetLocale(table.Locale());
    setTabKeyNavigation(true);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setCornerButtonEnabled(false);

    QHeaderView* columns = horizontalHeader();
    // The captions break into up to six short lines; a condensed face keeps
    // the longest words inside the narrow number columns.
    QFont headerFont(QStringLiteral("DejaVu Sans Condensed"));
    headerFont.setPointSizeF(std::max(6.5, font().pointSizeF() * 0.82));
    headerFont.setStretch(QFont::SemiCondensed);
    columns->setFont(headerFont);
    columns->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setHighlightSections(true);
    QHeaderView* rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    columns->viewport()->installEventFilter(this);
    rows->viewport()->installEventFilter(this);
    connect(columns, &QHeaderView::sectionResized, this, &fpSpread1::OnSectionResized);
    connect(delegate_, &CellDelegate::editorRefused, this,
            [this](QWidget* editor, const QString& message) {
                ShowRefusal(editor, message.toStdString());
            });

    for (int col = 1; col <= kGridColumns; ++col) {
        SetColWidth(col, table.ColWidth(col));
    }
    SetRowHeight(0, table.RowHeight(0));
}

fpSpread1::~fpSpread1() = default;

void fpSpread1::SetNumberLocale(NumberLocale locale) {
    memory_.Table().SetLocale(locale);
    delegate_->SetLocale(locale);
}

int fpSpread1::ActiveRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : memory_.ActiveRow();
}

int fpSpread1::ActiveCol() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() + 1 : memory_.ActiveCol();
}

double fpSpread1::PixelsPerWidthUnit() const {
    const char decimal = memory_.Table().Locale().decimal;
    if (unit_ > 0 && unitFont_ == font() && unitDecimal_ == decimal) {
        return unit_; // measured once for this font and locale
    }
    // The unit is measured on the Greek capitals the columns hold, not on the
    // font's average character (mostly narrow Latin letters), and raised
    // where needed so that every listed kind and pipe text and the largest
    // number a cell takes show whole at the layout's widths.
    const QFontMetricsF metrics(font());
    static const QString capitals = QStringLiteral("ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ");
    double unit = metrics.horizontalAdvance(capitals) / capitals.size();
    // Room the cell's own margins take, beyond the column's padding.
    constexpr double kMargins = 5.0;
    const auto fit = [&](int col, const QString& text) {
        const double width = ColumnWidths()[static_cast<size_t>(col - 1)];
        if (width > 0) {
            unit = std::max(unit,
                            (metrics.horizontalAdvance(text) + kMargins - kColumnPadding) / width);
        }
    };
    for (const int col : {kKindColumn, kPipeColumn}) {
        for (const std::string& text : ListTexts(col)) {
            fit(col, QString::fromStdString(text));
        }
    }
    // The largest number fits the number columns; the narrow height column
    // (a few metres) is left at its width, or it alone would double the grid.
    for (int col = 2; col <= 9; ++col) {
        if (ColumnWidths()[static_cast<size_t>(col - 1)] >= 8) {
            fit(col, QStringLiteral("99999999") + QChar(decimal) + QStringLiteral("99"));
        }
    }
    unit_ = std::max(1.0, unit);
    unitFont_ = font();
    unitDecimal_ = decimal;
    return unit_;
}

QSize fpSpread1::sizeHint() const {
    int width = verticalHeader()->sizeHint().width() + 2 * frameWidth() +
                style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    for (int col = 0; col < kGridColumns; ++col) {
        width += columnWidth(col);
    }
    return {width, QTableView::sizeHint().height()};
}

double fpSpread1::ColWidth(int col) const {
    return memory_.ColWidth(col);
}

void fpSpread1::SetColWidth(int col, double width) {
    if (col < 1 || col > kGridColumns || !(width >= 0.0)) {
        return;
    }
    memory_.SetColWidth(col, width);
    settingWidth_ = true;
    setColumnWidth(col - 1,
                   static_cast<int>(std::lround(width * PixelsPerWidthUnit())) + kColumnPadding);
    settingWidth_ = false;
}

double fpSpread1::RowHeight(int row) const {
    return memory_.RowHeight(row);
}

void fpSpread1::SetRowHeight(int row, double height) {
    memory_.SetRowHeight(row, height);
    if (row == 0) {
        const double dpi = logicalDpiY() > 0 ? logicalDpiY() : 96.0;
        horizontalHeader()->setFixedHeight(static_cast<int>(std::lround(height * dpi / 72.0)));
    }
}

void fpSpread1::OnSectionResized(int logicalIndex, int /*oldSize*/, int newSize) {
    if (settingWidth_) {
        return;
    }
    // The user dragged a column border: keep the width in units for the contract.
    const double units = std::max(0, newSize - kColumnPadding) / PixelsPerWidthUnit();
    memory_.SetColWidth(logicalIndex + 1, units);
}

void fpSpread1::Action(int code) {
    switch (code) {
    case kActionGoToCell:
        memory_.Action(code);
        if (Row() >= 1 && Row() <= kGridRows && Col() >= 1 && Col() <= kGridColumns) {
            // A command's move, not the user's: no LeaveCell. The cell is
            // the one shown selected too, so that what is typed next goes
            // where the eye is.
            selectionModel()->setCurrentIndex(model_->index(Row() - 1, Col() - 1),
                                              QItemSelectionModel::ClearAndSelect);
        }
        break;
    case kActionDeselect:
        memory_.Action(code);
        clearSelection();
        break;
    default:
        memory_.Action(code);
        break;
    }
}

void fpSpread1::SetFocus() {
    memory_.SetFocus();
    setFocus(Qt::OtherFocusReason);
}

void fpSpread1::SetHeaderWrap(bool on) {
    memory_.SetHeaderWrap(on);
    horizontalHeader()->setDefaultAlignment(on ? Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap)
                                               : Qt::Alignment(Qt::AlignCenter));
}

void fpSpread1::ShowRefusal(QWidget* editor, const std::string& message) {
    // What is typed while the message is up goes into the cell afterwards.
    KeysDuringMessage typed(editor);
    if (EditorRefused) {
        EditorRefused(message);
    }
    if (editor != nullptr) {
        editor->setFocus(Qt::OtherFocusReason);
    }
    typed.Replay();
}

bool fpSpread1::CommitEditor() {
    if (state() != QAbstractItemView::EditingState) {
        return true;
    }
    QWidget* editor = indexWidget(currentIndex());
    if (editor == nullptr) {
        return true;
    }
    const std::string refusal = delegate_->Refusal(editor);
    if (!refusal.empty()) {
        ShowRefusal(editor, refusal);
        return false;
    }
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    // What leaving the cell does follows (the automatic height of the row),
    // as if the engineer had pressed Tab; the cursor stays.
    if (LeaveCell && currentIndex().isValid()) {
        const int row = currentIndex().row() + 1;
        const int col = currentIndex().column() + 1;
        bool cancel = false;
        LeaveCell(col, row, col, row, cancel);
    }
    return true;
}

void fpSpread1::CancelEditor() {
    if (state() != QAbstractItemView::EditingState) {
        return;
    }
    if (QWidget* editor = indexWidget(currentIndex())) {
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    }
}

void fpSpread1::EditCurrentCell() {
    if (state() != QAbstractItemView::EditingState && currentIndex().isValid()) {
        edit(currentIndex());
    }
}

bool fpSpread1::MayLeaveFor(const QModelIndex& target) {
    const QModelIndex current = currentIndex();
    if (!target.isValid() || !current.isValid() || target == current || !LeaveCell) {
        return true;
    }
    bool cancel = false;
    LeaveCell(current.column() + 1, current.row() + 1, target.column() + 1, target.row() + 1,
              cancel);
    return !cancel;
}

QModelIndex fpSpread1::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    const QModelIndex target = QTableView::moveCursor(cursorAction, modifiers);
    if (!MayLeaveFor(target)) {
        return currentIndex();
    }
    return target;
}

void fpSpread1::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (current.isValid()) {
        memory_.PlaceCursor(current.row() + 1, current.column() + 1);
    }
}

void fpSpread1::mousePressEvent(QMouseEvent* event) {
    headerPick_ = HeaderPick::None;
    if (!CommitEditor()) {
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton && !MayLeaveFor(indexAt(event->position().toPoint()))) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

bool fpSpread1::eventFilter(QObject* watched, QEvent* event) {
    const bool onHeader =
        watched == verticalHeader()->viewport() || watched == horizontalHeader()->viewport();
    if (onHeader && event->type() == QEvent::MouseButtonRelease) {
        // The header selection is made by the press and the drag that follows.
        const bool handled = QTableView::eventFilter(watched, event);
        headerPick_ = HeaderPick::None;
        return handled;
    }
    if (event->type() == QEvent::MouseButtonPress && onHeader && !CommitEditor()) {
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint pos = mouse->position().toPoint();
        const QModelIndex current = currentIndex();
        if (watched == verticalHeader()->viewport()) {
            const int row = verticalHeader()->logicalIndexAt(pos);
            headerPick_ = HeaderPick::Rows;
            if (row >= 0 &&
                !MayLeaveFor(model_->index(row, current.isValid() ? current.column() : 0))) {
                return true;
            }
        } else if (watched == horizontalHeader()->viewport()) {
            const int col = horizontalHeader()->logicalIndexAt(pos);
            // A press on a column border starts a resize, not a selection.
            if (col >= 0 && horizontalHeader()->cursor().shape() != Qt::SplitHCursor) {
                headerPick_ = HeaderPick::Columns;
                if (!MayLeaveFor(model_->index(current.isValid() ? current.row() : 0, col))) {
                    return true;
                }
            }
        }
    }
    return QTableView::eventFilter(watched, event);
}

void fpSpread1::keyPressEvent(QKeyEvent* event) {
    headerPick_ = HeaderPick::None;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        state() != QAbstractItemView::EditingState) {
        EditCurrentCell();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier &&
        state() != QAbstractItemView::EditingState) {
        // Delete empties the selected block, or the cursor's cell when none
        // is selected, as one step that can be undone.
        const QModelIndexList selected = selectionModel()->selectedIndexes();
        if (selected.size() > 1 && ClearCells) {
            std::vector<std::pair<int, int>> cells;
            for (const QModelIndex& index : selected) {
                cells.emplace_back(index.row() + 1, index.column() + 1);
            }
            ClearCells(cells);
        } else if (const QModelIndex current = currentIndex(); current.isValid()) {
            model_->setData(current, QString(), Qt::EditRole);
        }
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void fpSpread1::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    RaiseBlockSelected();
}

bool fpSpread1::ShowsBlock() const {
    qsizetype cells = 0;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        cells += static_cast<qsizetype>(range.width()) * range.height();
        if (cells > 1) {
            return true;
        }
    }
    return false;
}

void fpSpread1::RaiseBlockSelected() {
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty()) {
        return;
    }
    int top = kGridRows, bottom = -1, left = kGridColumns, right = -1;
    for (const QItemSelectionRange& range : selection) {
        top = std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
        left = std::min(left, range.left());
        right = std::max(right, range.right());
    }
    int row = top + 1, row2 = bottom + 1, col = left + 1, col2 = right + 1;
    const bool single = row == row2 && col == col2;
    if (headerPick_ == HeaderPick::Rows) {
        col = col2 = -1;
    } else if (headerPick_ == HeaderPick::Columns) {
        row = row2 = -1;
    } else if (single) {
        return; // one cell is the cursor, not a block
    }
    if (BlockSelected) {
        BlockSelected(col, row, col2, row2);
    }
}

} // namespace pyrostat
