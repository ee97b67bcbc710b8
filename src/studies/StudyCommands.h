#pragma once

#include "platform/MessageService.h"
#include "program/ProgramState.h"
#include "studies/CloseQuestion.h"
#include "studies/FileDialogService.h"
#include "studies/StudyFile.h"
#include "studies/StudySnapshot.h"
#include "studies/StudyText.h"
#include "studies/StudyWindowFields.h"
#include "workspace/GridContract.h"

#include <functional>
#include <string>

namespace pyrostat {

// The main window's study commands: New, Open (the study browser), Save,
// Save As and the classic open dialog; and the record of what was last saved
// or opened, so that closing the window can ask about unsaved changes.
class StudyCommands {
public:
    StudyCommands(GridContract& grid, ProgramState& state, MessageService& messages,
                  StudyWindowFields& fields, FileDialogService& dialogs);

    StudyFile& File() { return file_; }

    // The study browser, shown modally. Unset: nothing is shown.
    std::function<void()> ShowBrowser;
    // Told of a study opened (with its number of rows) or saved. Unset: nothing.
    std::function<void(const std::string& path, int rows)> Opened;
    std::function<void(const std::string& path)> Saved;
    // A new, empty study took the grid's place: what was said of the last
    // one (saved, opened) no longer holds.
    std::function<void()> Cleared;

    // The open dialog on its own (the file menu): unsaved changes asked
    // about, then the dialog.
    void OpenWithDialog();

    // Before a command replaces the grid (New, Open, the open dialog): with
    // unsaved changes asks as closing the window does; Yes saves first (a
    // failed or abandoned save keeps the study), No goes on without saving,
    // Cancel stops. False: the command must not go on. `asked` tells whether
    // the question was put.
    bool ConfirmReplace(bool* asked = nullptr);

    // CmdNew. Unsaved changes are asked about first (ConfirmReplace). With a
    // calculation result on disk ("PYROSTAT.TMP") and nothing asked yet it
    // asks "ΝΕΑ ΜΕΛΕΤΗ ???"; No changes nothing (false). Otherwise empties the grid and the
    // general data, forgets the current study file and sets the automatic
    // height to 0; the title and the insulation box stay.
    bool New();
    // CmdOpen: unsaved changes asked about, the study browser, then the focus
    // back to the grid.
    void Open();
    // CmdSave: to the current study file, or to a name asked with the save
    // dialog when there is none.
    SaveOutcome Save();
    // Ctrl+Shift+S: always asks for the name.
    SaveOutcome SaveAs();
    // The open dialog in the study folder; Cancel changes nothing.
    void ClassicOpenFile();
    // Opens a study (the browser's Open, the open dialog) and remembers it as
    // saved.
    bool OpenStudy(const std::string& path);

    // A property table imported from a file (after ConfirmReplace): its rows
    // replace the grid's through the cell rules, and the title, insulation
    // and general data it gives replace the window's. The study counts as
    // changed (not saved) and has no file yet.
    void PutTable(const StudyTextContents& table);

    // Whether the study differs from what was last saved, opened or started.
    bool HasUnsavedChanges() const;
    // Takes the present study as the saved one (after start-up, New, open, save).
    void MarkUnchanged();
    // Before the window closes: asks about unsaved changes (see ConfirmClose).
    CloseDecision ConfirmClose();

    // The study folder: the program folder followed by "PYXFiles/".
    std::string StudyFolder() const;

private:
    SaveOutcome SaveTo(const std::string& path);
    std::optional<std::string> AskSaveName();

    GridContract& grid_;
    ProgramState& state_;
    MessageService& messages_;
    StudyWindowFields& fields_;
    FileDialogService& dialogs_;
    StudyFile file_;
    StudySnapshot saved_;
};

inline constexpr const char* kNewStudyPrompt = "ΝΕΑ ΜΕΛΕΤΗ ???";

} // namespace pyrostat
