#include "reports/SheetModel.h"

#include <algorithm>

namespace pyrostat {

namespace {
const SheetValue kEmptyValue{};
} // namespace

SheetModel::SheetModel() {
    formats_.push_back(CellFormat{});
}

SheetModel::Cell& SheetModel::CellAt(int row, int col) {
    return cells_[{row, col}];
}

void SheetModel::DropIfBare(int row, int col) {
    auto it = cells_.find({row, col});
    if (it != cells_.end() && it->second.value.kind == SheetValue::Kind::Empty &&
        it->second.format == 0) {
        cells_.erase(it);
    }
}

void SheetModel::SetText(int row, int col, const std::string& text) {
    SheetValue& v = CellAt(row, col).value;
    if (text.empty()) {
        // An empty text clears the cell, as the spreadsheet does.
        v = SheetValue{};
        DropIfBare(row, col);
        return;
    }
    v.kind = SheetValue::Kind::Text;
    v.text = text;
    v.number = 0;
}

void SheetModel::SetNumber(int row, int col, double number) {
    SetFormula(row, col, std::string(), number);
}

void SheetModel::SetFormula(int row, int col, const std::string& formula, double number) {
    SheetValue& v = CellAt(row, col).value;
    v.kind = SheetValue::Kind::Number;
    v.text = formula;
    v.number = number;
}

const SheetValue& SheetModel::Value(int row, int col) const {
    auto it = cells_.find({row, col});
    return it == cells_.end() ? kEmptyValue : it->second.value;
}

int SheetModel::FormatId(int row, int col) const {
    auto it = cells_.find({row, col});
    return it == cells_.end() ? 0 : it->second.format;
}

const CellFormat& SheetModel::Format(int row, int col) const {
    return formats_[static_cast<size_t>(FormatId(row, col))];
}

int SheetModel::Intern(const CellFormat& format) {
    for (size_t i = 0; i < formats_.size(); ++i) {
        if (formats_[i] == format) {
            return static_cast<int>(i);
        }
    }
    formats_.push_back(format);
    return static_cast<int>(formats_.size() - 1);
}

void SheetModel::SetFormat(int row, int col, const CellFormat& format) {
    const int id = Intern(format);
    CellAt(row, col).format = id;
    DropIfBare(row, col);
}

void SheetModel::ChangeFormats(const CellRange& range,
                               const std::function<void(CellFormat&)>& change) {
    for (int r = range.row1; r <= range.row2; ++r) {
        for (int c = range.col1; c <= range.col2; ++c) {
            CellFormat f = Format(r, c);
            change(f);
            SetFormat(r, c, f);
        }
    }
}

void SheetModel::SetColumnWidth(int col, double width) {
    columnWidths_[col] = width;
}

double SheetModel::ColumnWidth(int col) const {
    auto it = columnWidths_.find(col);
    return it == columnWidths_.end() ? defaultColumnWidth_ : it->second;
}

void SheetModel::SetRowHeight(int row, double points) {
    rowHeights_[row] = points;
}

double SheetModel::RowHeight(int row) const {
    auto it = rowHeights_.find(row);
    return it == rowHeights_.end() ? defaultRowHeight_ : it->second;
}

void SheetModel::AddMerge(const CellRange& range) {
    if (range.row1 == range.row2 && range.col1 == range.col2) {
        return;
    }
    merges_.push_back(range);
}

const CellRange* SheetModel::MergeStartingAt(int row, int col) const {
    for (const CellRange& m : merges_) {
        if (m.row1 == row && m.col1 == col) {
            return &m;
        }
    }
    return nullptr;
}

bool SheetModel::IsCoveredByMerge(int row, int col) const {
    for (const CellRange& m : merges_) {
        if (m.Contains(row, col) && !(m.row1 == row && m.col1 == col)) {
            return true;
        }
    }
    return false;
}

void SheetModel::AddPageBreak(int row) {
    if (row > 1) {
        pageBreaks_.insert(row);
    }
}

SheetRowBlock SheetModel::CopyRows(int first, int last) const {
    SheetRowBlock block;
    block.rowCount = last - first + 1;
    for (auto it = cells_.lower_bound({first, 0}); it != cells_.end() && it->first.first <= last;
         ++it) {
        block.cells[{it->first.first - first, it->first.second}] = {it->second.value,
                                                                    it->second.format};
    }
    for (const CellRange& m : merges_) {
        if (m.row1 >= first && m.row2 <= last) {
            block.merges.push_back({m.row1 - first, m.col1, m.row2 - first, m.col2});
        }
    }
    for (auto it = rowHeights_.lower_bound(first); it != rowHeights_.end() && it->first <= last;
         ++it) {
        block.rowHeights[it->first - first] = it->second;
    }
    return block;
}

void SheetModel::PasteRows(const SheetRowBlock& block, int atRow) {
    const int last = atRow + block.rowCount - 1;
    // The pasted rows replace whatever the target rows held.
    cells_.erase(cells_.lower_bound({atRow, 0}), cells_.lower_bound({last + 1, 0}));
    merges_.erase(
        std::remove_if(merges_.begin(), merges_.end(),
                       [&](const CellRange& m) { return m.row2 >= atRow && m.row1 <= last; }),
        merges_.end());
    for (const auto& [key, cell] : block.cells) {
        cells_[{atRow + key.first, key.second}] = Cell{cell.first, cell.second};
    }
    for (const CellRange& m : block.merges) {
        merges_.push_back({m.row1 + atRow, m.col1, m.row2 + atRow, m.col2});
    }
    for (int offset = 0; offset < block.rowCount; ++offset) {
        auto h = block.rowHeights.find(offset);
        if (h != block.rowHeights.end()) {
            rowHeights_[atRow + offset] = h->second;
        } else {
            rowHeights_.erase(atRow + offset);
        }
    }
}

void SheetModel::ClearRowValues(int first, int last) {
    ClearRangeValues({first, 1, last, kMaxSheetCols});
}

void SheetModel::ClearRangeValues(const CellRange& range) {
    for (auto it = cells_.lower_bound({range.row1, 0});
         it != cells_.end() && it->first.first <= range.row2;) {
        const int col = it->first.second;
        if (col >= range.col1 && col <= range.col2) {
            it->second.value = SheetValue{};
            if (it->second.format == 0) {
                it = cells_.erase(it);
                continue;
            }
        }
        ++it;
    }
}

int SheetModel::LastRow() const {
    int last = cells_.empty() ? 0 : cells_.rbegin()->first.first;
    for (const CellRange& m : merges_) {
        last = std::max(last, m.row2);
    }
    // A chart prints over its cells, empty or not.
    for (const SheetChart& chart : charts_) {
        last = std::max(last, chart.anchor.row2);
    }
    return last;
}

int SheetModel::LastColumn() const {
    int last = 0;
    for (const auto& [key, cell] : cells_) {
        last = std::max(last, key.second);
    }
    for (const CellRange& m : merges_) {
        last = std::max(last, m.col2);
    }
    for (const SheetChart& chart : charts_) {
        last = std::max(last, chart.anchor.col2);
    }
    return last;
}

int SheetModel::PrintColumns() const {
    return setup_.printColumns > 0 ? setup_.printColumns : LastColumn();
}

std::vector<std::pair<int, int>> SheetModel::Pages() const {
    std::vector<std::pair<int, int>> pages;
    const int lastRow = std::max(LastRow(), 1);
    int start = 1;
    for (int br : pageBreaks_) {
        if (br > lastRow) {
            break;
        }
        pages.push_back({start, br - 1});
        start = br;
    }
    pages.push_back({start, lastRow});
    return pages;
}

} // namespace pyrostat
