#include "workspace/MemoryGrid.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <vector>

namespace pyrostat {

MemoryGrid::MemoryGrid(NumberLocale locale, ClipboardService* clipboard)
    : owned_(std::make_unique<GridTable>(locale)), table_(owned_.get()), clipboard_(clipboard) {}

MemoryGrid::MemoryGrid(GridTable& table, ClipboardService* clipboard)
    : table_(&table), clipboard_(clipboard) {}

std::string MemoryGrid::CellText(int row, int col) const {
    if (col == 0 && row >= 1 && row <= kGridRows) {
        return std::to_string(row);
    }
    return table_->Cell(row, col);
}

bool MemoryGrid::SetCellText(int row, int col, const std::string& text) {
    return table_->SetCell(row, col, text);
}

std::string MemoryGrid::Text() const {
    return CellText(row_, col_);
}

bool MemoryGrid::SetText(const std::string& text) {
    if (!blockMode_) {
        return SetCellText(row_, col_, text);
    }
    const Block b = CurrentBlock();
    bool all = true;
    for (int r = b.row1; r <= b.row2; ++r) {
        for (int c = b.col1; c <= b.col2; ++c) {
            all = SetCellText(r, c, text) && all;
        }
    }
    return all;
}

bool MemoryGrid::HasBlock() const {
    return row_ != 0 && col_ != 0 && row2_ != 0 && col2_ != 0;
}

MemoryGrid::Block MemoryGrid::CurrentBlock() const {
    if (!HasBlock()) {
        return {activeRow_, activeCol_, activeRow_, activeCol_};
    }
    Block b{row_, col_, row2_, col2_};
    if (row_ == -1 || row2_ == -1) {
        b.row1 = 1;
        b.row2 = std::max(1, table_->LastDataRow());
    }
    if (col_ == -1 || col2_ == -1) {
        b.col1 = 1;
        b.col2 = kGridColumns;
    }
    b.row1 = std::clamp(b.row1, 1, kGridRows);
    b.row2 = std::clamp(b.row2, b.row1, kGridRows);
    b.col1 = std::clamp(b.col1, 1, kGridColumns);
    b.col2 = std::clamp(b.col2, b.col1, kGridColumns);
    return b;
}

std::string MemoryGrid::BlockText(int row, int col, int row2, int col2) const {
    std::string text;
    for (int r = row; r <= row2; ++r) {
        for (int c = col; c <= col2; ++c) {
            if (c > col) {
                text.push_back('\t');
            }
            text += table_->Cell(r, c);
        }
        text.push_back('\n');
    }
    return text;
}

void MemoryGrid::PasteText(const std::string& text, int row, int col, int lastRow, int lastCol) {
    lastPaste_ = {};
    std::vector<std::vector<std::string>> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::vector<std::string> cells;
        size_t cellStart = 0;
        while (true) {
            const size_t tab = line.find('\t', cellStart);
            cells.push_back(line.substr(cellStart, tab == std::string::npos ? std::string::npos
                                                                            : tab - cellStart));
            if (tab == std::string::npos) {
                break;
            }
            cellStart = tab + 1;
        }
        lines.push_back(std::move(cells));
        start = end + 1;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        const int r = row + static_cast<int>(i);
        if (r > lastRow || r > kGridRows) {
            break;
        }
        for (size_t j = 0; j < lines[i].size(); ++j) {
            const int c = col + static_cast<int>(j);
            if (c > lastCol || c > kGridColumns) {
                break;
            }
            const std::string& value = lines[i][j];
            if (c == kNameColumn) {
                // As typing does: only the characters that cannot be stored go.
                const std::string name = StorableName(value);
                if (name.empty() && !TrimBlanks(value).empty()) {
                    lastPaste_.refused.push_back({r, c, value}); // nothing of it storable
                    continue;
                }
                if (name != value) {
                    lastPaste_.trimmed.push_back({r, c, value});
                }
                table_->SetCell(r, c, name);
            } else if (!table_->SetCell(r, c, value)) {
                lastPaste_.refused.push_back({r, c, value});
            }
        }
    }
}

void MemoryGrid::Action(int code) {
    switch (code) {
    case kActionGoToCell:
        if (row_ >= 1 && row_ <= kGridRows && col_ >= 1 && col_ <= kGridColumns) {
            activeRow_ = row_;
            activeCol_ = col_;
        }
        break;
    case kActionClear: {
        if (blockMode_) {
            const Block b = CurrentBlock();
            table_->ClearBlock(b.row1, b.col1, b.row2, b.col2);
        } else {
            table_->ClearBlock(row_, col_, row_, col_);
        }
        break;
    }
    case kActionDeleteRow:
        table_->DeleteRow(row_);
        break;
    case kActionInsertRow:
        table_->InsertRow(row_);
        break;
    case kActionDeselect:
        break;
    case kActionCopy:
    case kActionCut: {
        const Block b = CurrentBlock();
        if (clipboard_ != nullptr) {
            clipboard_->SetText(BlockText(b.row1, b.col1, b.row2, b.col2));
        }
        if (code == kActionCut) {
            table_->ClearBlock(b.row1, b.col1, b.row2, b.col2);
        }
        break;
    }
    case kActionPaste: {
        if (clipboard_ == nullptr) {
            break;
        }
        if (HasBlock()) {
            const Block b = CurrentBlock();
            const int lastRow = (row_ == -1 || row2_ == -1) ? kGridRows : b.row2;
            PasteText(clipboard_->Text(), b.row1, b.col1, lastRow, b.col2);
        } else {
            PasteText(clipboard_->Text(), activeRow_, activeCol_, kGridRows, kGridColumns);
        }
        break;
    }
    default:
        break;
    }
}

bool MemoryGrid::MoveCursor(int row, int col) {
    bool cancel = false;
    if (LeaveCell) {
        LeaveCell(activeCol_, activeRow_, col, row, cancel);
    }
    if (cancel) {
        return false;
    }
    PlaceCursor(row, col);
    return true;
}

void MemoryGrid::PlaceCursor(int row, int col) {
    activeRow_ = std::clamp(row, 1, kGridRows);
    activeCol_ = std::clamp(col, 1, kGridColumns);
}

void MemoryGrid::SelectBlock(int row, int col, int row2, int col2) {
    ++selectionCount_;
    if (BlockSelected) {
        BlockSelected(col, row, col2, row2);
    }
}

} // namespace pyrostat
