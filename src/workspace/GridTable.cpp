#include "workspace/GridTable.h"

#include "workspace/CellRules.h"

#include <algorithm>

namespace pyrostat {

GridTable::GridTable(NumberLocale locale) : locale_(locale), rows_(kGridRows + 1) {
    for (int col = 1; col <= kGridColumns; ++col) {
        widths_[static_cast<size_t>(col)] = ColumnWidths()[static_cast<size_t>(col - 1)];
    }
}

const std::string& GridTable::Cell(int row, int col) const {
    static const std::string empty;
    if (row < 0 || row > kGridRows || col < 1 || col > kGridColumns) {
        return empty;
    }
    return rows_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

bool GridTable::SetCell(int row, int col, const std::string& text) {
    if (row < 0 || row > kGridRows || col < 1 || col > kGridColumns) {
        return false;
    }
    if (row == 0) {
        SetCellRaw(row, col, text);
        return true;
    }
    const auto stored = NormaliseCellText(col, text, locale_);
    if (!stored) {
        return false;
    }
    SetCellRaw(row, col, *stored);
    return true;
}

void GridTable::SetCellRaw(int row, int col, const std::string& text) {
    if (row < 0 || row > kGridRows || col < 1 || col > kGridColumns) {
        return;
    }
    auto& cell = rows_[static_cast<size_t>(row)][static_cast<size_t>(col)];
    if (cell != text) {
        cell = text;
        Notify(row, row);
    }
}

void GridTable::DeleteRow(int row) {
    if (row < 1 || row > kGridRows) {
        return;
    }
    rows_.erase(rows_.begin() + row);
    rows_.emplace_back();
    Notify(row, kGridRows);
}

void GridTable::InsertRow(int row) {
    if (row < 1 || row > kGridRows) {
        return;
    }
    rows_.insert(rows_.begin() + row, std::array<std::string, kGridColumns + 1>{});
    rows_.pop_back();
    Notify(row, kGridRows);
}

void GridTable::ClearBlock(int row, int col, int row2, int col2) {
    const int r1 = std::max(row == -1 ? 1 : row, 1);
    const int r2 = std::min(row2 == -1 || row == -1 ? kGridRows : row2, kGridRows);
    const int c1 = std::max(col == -1 ? 1 : col, 1);
    const int c2 = std::min(col2 == -1 || col == -1 ? kGridColumns : col2, kGridColumns);
    bool any = false;
    for (int r = r1; r <= r2; ++r) {
        for (int c = c1; c <= c2; ++c) {
            auto& cell = rows_[static_cast<size_t>(r)][static_cast<size_t>(c)];
            if (!cell.empty()) {
                cell.clear();
                any = true;
            }
        }
    }
    if (any) {
        Notify(r1, r2);
    }
}

int GridTable::LastDataRow() const {
    for (int r = kGridRows; r >= 1; --r) {
        const auto& row = rows_[static_cast<size_t>(r)];
        for (int c = 1; c <= kGridColumns; ++c) {
            if (!row[static_cast<size_t>(c)].empty()) {
                return r;
            }
        }
    }
    return 0;
}

int GridTable::LastDataCol() const {
    int last = 0;
    for (int r = 1; r <= kGridRows; ++r) {
        const auto& row = rows_[static_cast<size_t>(r)];
        for (int c = kGridColumns; c > last; --c) {
            if (!row[static_cast<size_t>(c)].empty()) {
                last = c;
                break;
            }
        }
        if (last == kGridColumns) {
            break;
        }
    }
    return last;
}

double GridTable::ColWidth(int col) const {
    if (col < 1 || col > kGridColumns) {
        return 0.0;
    }
    return widths_[static_cast<size_t>(col)];
}

void GridTable::SetColWidth(int col, double width) {
    if (col >= 1 && col <= kGridColumns) {
        widths_[static_cast<size_t>(col)] = width;
    }
}

double GridTable::RowHeight(int row) const {
    return row == 0 ? headerHeight_ : rowHeight_;
}

void GridTable::SetRowHeight(int row, double height) {
    if (row == 0) {
        headerHeight_ = height;
    }
}

void GridTable::Notify(int first, int last) {
    if (Changed) {
        Changed(first, last);
    }
}

} // namespace pyrostat
