#pragma once

#include "platform/MessageService.h"
#include "program/ProgramState.h"
#include "studies/StudyCommands.h"
#include "studies/gui/QtFileDialogs.h"
#include "studies/gui/QtStudyFields.h"
#include "workspace/GridContract.h"

#include <functional>

class QCheckBox;
class QLineEdit;
class QWidget;

namespace pyrostat {

struct MainWindowCommands;

// The study commands of the main window with their Qt services: the title
// and insulation controls, the Greek file dialogs, the study browser and the
// pause that lets the window repaint. Construct it once the main window has
// started (the present study is then taken as unchanged).
class StudyCommandsQt {
public:
    // `showGeneralData` shows the general data dialog modally
    // (ShowGeneralDataDialog of FrmPyros_GData).
    StudyCommandsQt(QWidget* window, GridContract& grid, QLineEdit* title, QCheckBox* insulation,
                    ProgramState& state, MessageService& messages,
                    std::function<void()> showGeneralData);

    StudyCommands& Commands() { return commands_; }
    QWidget* Window() const { return window_; }
    QtFileDialogs& Dialogs() { return dialogs_; }

private:
    QWidget* window_;
    ProgramState& state_;
    MessageService& messages_;
    QtStudyFields fields_;
    QtFileDialogs dialogs_;
    StudyCommands commands_;
};

// The entry points for the main window's buttons and keys.
void StudyNew(StudyCommandsQt& study);    // CmdNew
void StudyOpen(StudyCommandsQt& study);   // CmdOpen: the study browser FrmOpenSave
void StudySave(StudyCommandsQt& study);   // CmdSave
void StudySaveAs(StudyCommandsQt& study); // Ctrl+Shift+S
// Before the main window closes; false keeps it open.
bool StudyCloseQuestion(StudyCommandsQt& study);

// Fills onNew, onOpen, onSave, onSaveAs and onCloseQuestion.
void WireStudyCommands(StudyCommandsQt& study, MainWindowCommands& commands);

} // namespace pyrostat
