#pragma once

#include "platform/ClipboardService.h"
#include "platform/MessageService.h"
#include "platform/SingleCopyLock.h"
#include "program/ProgramState.h"
#include "workspace/GridTable.h"
#include "workspace/MainKeyMap.h"
#include "workspace/gui/MainWindowCommands.h"

#include <QLocale>
#include <QWidget>

#include <string>

class QLabel;
class QLineEdit;
class QStatusBar;

namespace pyrostat {

class CommandButtons;
class MainMenu;
class GridEditing;
class OptionControls;
class RangeBoxes;
class fpSpread1;

// The main window: the property grid, the study title, the option controls,
// the range boxes and one button for every command. It keeps the program to
// one running copy, cleans the working files at start and at close and maps
// the keyboard to the commands.
class FrmPyros : public QWidget {
    Q_OBJECT

public:
    // Commits an open cell editor as leaving the cell would; false when the
    // cell refuses the text (the editor stays open and the refusal is shown).
    bool CommitEditor();
    FrmPyros(ProgramState& state, MessageService& messages, ClipboardService& clipboard,
             MainWindowCommands commands = {}, QWidget* parent = nullptr);
    ~FrmPyros() override;

    // Where "MirtProgs.log" is kept; empty leaves the record alone.
    void SetInstalledProgramsLog(const std::string& path) { installedProgramsLog_ = path; }
    // The locale whose separators the start-up takes (the system's by default).
    void SetLocale(const QLocale& locale) { locale_ = locale; }

    // The start-up sequence. False when another copy runs: the message has
    // been shown and this copy must end.
    bool Load();

    // Runs a command of the keyboard map, as the key would.
    void RunCommand(MainCommand command);
    // Restores the header height and the column widths and captions.
    void CmdRESETCols();
    // Shows or hides the "please wait" notice of the long commands.
    void ShowWait(bool on);
    // The file menu's open dialog and recent studies, run as commands.
    void OpenWithDialog();
    void OpenRecent(const std::string& path);
    void ImportTable();
    void PeriodBilling();
    void Buildings();
    void HistoryStore();
    // The caption: the program's own, then the study file's name and the
    // mark of unsaved changes.
    void ShowStudy(const std::string& studyPath, bool modified);
    // What the last command did, in the status bar (nothing modal).
    void ShowStatus(const QString& text);
    QStatusBar* StatusBar() const { return statusBar_; }
    MainMenu& Menu() { return *menu_; }

    fpSpread1& Grid() { return *grid_; }
    GridTable& Table() { return table_; }
    GridEditing& Editing() { return *editing_; }
    OptionControls& Options() { return *options_; }
    RangeBoxes& Ranges() { return *ranges_; }
    CommandButtons& Buttons() { return *buttons_; }
    QLineEdit* TxtThema() const { return txtThema_; }
    QLabel* LblWait() const { return lblWait_; }
    MainWindowCommands& Commands() { return commands_; }

    static QString Caption();

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void BuildLayout();
    void WireButtons();
    void Invoke(const std::function<void()>& command);
    // Runs a command of a button or key: the open cell editor is committed
    // first (a refused text stops it), the focus is on the grid afterwards.
    void Guarded(const std::function<void()>& command);
    void GiveFocusToGrid();

    ProgramState& state_;
    MessageService& messages_;
    ClipboardService& clipboard_;
    MainWindowCommands commands_;
    GridTable table_;
    SingleCopyLock lock_;
    QLocale locale_;
    std::string installedProgramsLog_;
    bool unloaded_ = false;

    fpSpread1* grid_;
    GridEditing* editing_;
    bool busy_ = false; // the busy cursor is shown
    OptionControls* options_;
    RangeBoxes* ranges_;
    CommandButtons* buttons_;
    MainMenu* menu_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLineEdit* txtThema_;
    QLabel* lblWait_;
    QLabel* label1_;
    QLabel* label4_;
};

} // namespace pyrostat
