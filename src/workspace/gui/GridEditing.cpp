#include "workspace/gui/GridEditing.h"

#include "workspace/gui/GridModel.h"
#include "workspace/gui/GridUndoCommand.h"
#include "workspace/gui/fpSpread1.h"

namespace pyrostat {

GridEditing::GridEditing(fpSpread1& grid, const ProgramState& state, ClipboardService& clipboard,
                         std::function<bool()> heightTicked, QObject* parent)
    : QObject(parent), grid_(grid), commands_(grid, state, clipboard),
      heightTicked_(std::move(heightTicked)) {
    grid_.BlockSelected = [this](int col, int row, int col2, int row2) {
        commands_.OnBlockSelected(col, row, col2, row2);
    };
    grid_.LeaveCell = [this](int, int, int, int, bool&) {
        Recorded(tr("Αυτόματη καταχώρηση"),
                 [this] { commands_.OnLeaveCell(heightTicked_ && heightTicked_()); });
    };
    grid_.ClearCells = [this](const std::vector<std::pair<int, int>>& cells) {
        Recorded(tr("Διαγραφή περιοχής"), [this, &cells] {
            for (const auto& [row, col] : cells) {
                grid_.Model().setData(grid_.Model().index(row - 1, col - 1), QString(),
                                      Qt::EditRole);
            }
        });
    };
    connect(&grid_.Model(), &GridModel::cellEdited, this, &GridEditing::OnCellEdited);
}

void GridEditing::Recorded(const QString& name, const std::function<void()>& change) {
    if (recording_) {
        change(); // a command inside a command: the outer one records it all
        return;
    }
    recording_ = true;
    const auto before = SnapshotCells(grid_.Table());
    change();
    const auto after = SnapshotCells(grid_.Table());
    recording_ = false;
    auto changes = GridUndoCommand::Diff(before, after);
    if (!changes.empty()) {
        undo_.push(new GridUndoCommand(grid_.Table(), std::move(changes), name));
    }
}

void GridEditing::OnCellEdited(int row, int col, const QString& before, const QString& after) {
    if (recording_) {
        return;
    }
    undo_.push(new GridUndoCommand(grid_.Table(),
                                   {{row, col, before.toStdString(), after.toStdString()}},
                                   tr("Διόρθωση κελιού")));
}

void GridEditing::ShowSelectionUsed() {
    // A command that used the selection has cleared it; a block still lit on
    // the screen would promise that the next command works on it.
    const SelectionRange& s = commands_.Selection();
    if (s.UpperRow == 0 && s.LowerRow == 0 && s.LeftCol == 0 && s.RightCol == 0) {
        grid_.clearSelection();
    }
}

void GridEditing::ForgetHiddenSelection() {
    if (!grid_.ShowsBlock()) {
        commands_.Selection().Reset();
    }
}

void GridEditing::CopyUpperValues() {
    ForgetHiddenSelection();
    Recorded(tr("Αντιγραφή άνω τιμών"), [this] { commands_.CopyUpperValues(); });
    ShowSelectionUsed();
}

void GridEditing::DeleteCells() {
    ForgetHiddenSelection();
    Recorded(tr("Αποκοπή"), [this] { commands_.DeleteCells(); });
    ShowSelectionUsed();
}

void GridEditing::Insert() {
    Recorded(tr("Προσθήκη σειράς"), [this] { commands_.CmdInsert(); });
}

void GridEditing::Delete() {
    ForgetHiddenSelection();
    Recorded(tr("Διαγραφή σειράς"), [this] { commands_.CmdDel(); });
}

void GridEditing::CopyToClipboard() {
    ForgetHiddenSelection();
    commands_.CopyToClipboard();
    ShowSelectionUsed();
}

void GridEditing::PasteFromClipboard() {
    ForgetHiddenSelection();
    Recorded(tr("Επικόλληση"), [this] { commands_.PasteFromClipboard(); });
    ShowSelectionUsed();
    const std::string message =
        PasteReportMessage(commands_.LastPasteReport(), grid_.Table().Locale());
    if (!message.empty() && Tell) {
        Tell(message);
    }
}

void GridEditing::Undo() {
    if (grid_.IsEditing()) {
        return; // the open editor has its own undo
    }
    undo_.undo();
}

void GridEditing::Redo() {
    if (grid_.IsEditing()) {
        return;
    }
    undo_.redo();
}

} // namespace pyrostat
