#pragma once

#include "workspace/EditingCommands.h"

#include <QObject>
#include <QUndoStack>

#include <functional>
#include <string>

namespace pyrostat {

class fpSpread1;

// Joins the grid to the editing commands: the grid's events feed them, each
// command and each typed cell becomes one undoable step.
class GridEditing : public QObject {
    Q_OBJECT

public:
    // `heightTicked` tells whether the automatic height entry is on.
    GridEditing(fpSpread1& grid, const ProgramState& state, ClipboardService& clipboard,
                std::function<bool()> heightTicked, QObject* parent = nullptr);

    EditingCommands& Commands() { return commands_; }

    void CopyUpperValues();
    void DeleteCells();
    void Insert();
    void Delete();
    void CopyToClipboard();
    void PasteFromClipboard();
    void Undo();
    void Redo();
    // After a command that replaces the whole study (new, open) the earlier
    // steps no longer belong to the table.
    void ForgetHistory() { undo_.clear(); }
    // The names of the steps Undo and Redo would take (empty: none).
    QString UndoText() const { return undo_.undoText(); }
    QString RedoText() const { return undo_.redoText(); }
    bool CanUndo() const { return undo_.canUndo(); }
    bool CanRedo() const { return undo_.canRedo(); }

    // Tells the user what a paste could not put in (a message box). Unset: nothing.
    std::function<void(const std::string& message)> Tell;

    // Runs `change` and records what it did to the cells as one step.
    void Recorded(const QString& name, const std::function<void()>& change);

private:
    void OnCellEdited(int row, int col, const QString& before, const QString& after);
    void ShowSelectionUsed();
    // A block the screen no longer shows (the cursor moved off it) is no
    // selection for the next command: it works on the cursor's cell.
    void ForgetHiddenSelection();

    fpSpread1& grid_;
    EditingCommands commands_;
    std::function<bool()> heightTicked_;
    QUndoStack undo_;
    bool recording_ = false;
};

} // namespace pyrostat
