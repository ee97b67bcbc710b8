#pragma once

#include "workspace/GridTable.h"

#include <QUndoCommand>

#include <string>
#include <vector>

namespace pyrostat {

// The data cells of the table at one moment (500 x 11 texts).
std::vector<std::string> SnapshotCells(const GridTable& table);

// One undoable change of the property table: the cells that differ between
// the snapshot before and after a command or an edit. Undo and redo write the
// texts back exactly as they were, without the cell rules.
class GridUndoCommand : public QUndoCommand {
public:
    struct CellChange {
        int row;
        int col;
        std::string before;
        std::string after;
    };

    GridUndoCommand(GridTable& table, std::vector<CellChange> changes, const QString& text);

    // The changes between two snapshots (empty when nothing changed).
    static std::vector<CellChange> Diff(const std::vector<std::string>& before,
                                        const std::vector<std::string>& after);

    void undo() override;
    void redo() override;

private:
    GridTable& table_;
    std::vector<CellChange> changes_;
    bool applied_ = true; // the change is already in the table when pushed
};

} // namespace pyrostat
