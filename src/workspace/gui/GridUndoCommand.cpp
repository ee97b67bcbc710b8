#include "workspace/gui/GridUndoCommand.h"

namespace pyrostat {

namespace {

size_t CellIndex(int row, int col) {
    return static_cast<size_t>(row - 1) * kGridColumns + static_cast<size_t>(col - 1);
}

} // namespace

std::vector<std::string> SnapshotCells(const GridTable& table) {
    std::vector<std::string> cells;
    cells.reserve(static_cast<size_t>(kGridRows) * kGridColumns);
    for (int row = 1; row <= kGridRows; ++row) {
        for (int col = 1; col <= kGridColumns; ++col) {
            cells.push_back(table.Cell(row, col));
        }
    }
    return cells;
}

GridUndoCommand::GridUndoCommand(GridTable& table, std::vector<CellChange> changes,
                                 const QString& text)
    : QUndoCommand(text), table_(table), changes_(std::move(changes)) {}

std::vector<GridUndoCommand::CellChange>
GridUndoCommand::Diff(const std::vector<std::string>& before,
                      const std::vector<std::string>& after) {
    std::vector<CellChange> changes;
    for (int row = 1; row <= kGridRows; ++row) {
        for (int col = 1; col <= kGridColumns; ++col) {
            const size_t i = CellIndex(row, col);
            if (i < before.size() && i < after.size() && before[i] != after[i]) {
                changes.push_back({row, col, before[i], after[i]});
            }
        }
    }
    return changes;
}

void GridUndoCommand::undo() {
    for (const auto& change : changes_) {
        table_.SetCellRaw(change.row, change.col, change.before);
    }
    applied_ = false;
}

void GridUndoCommand::redo() {
    if (applied_) {
        return; // pushed after the change was made
    }
    for (const auto& change : changes_) {
        table_.SetCellRaw(change.row, change.col, change.after);
    }
    applied_ = true;
}

} // namespace pyrostat
