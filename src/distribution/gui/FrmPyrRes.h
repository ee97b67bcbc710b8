#pragma once

#include "distribution/gui/ResultsWindowHooks.h"
#include "program/ProgramState.h"

#include <QDialog>

#include <string>

class QGroupBox;
class QAction;
class QLabel;
class QListWidget;
class QPushButton;

namespace pyrostat {

// The results window: the formula of every property, the reports, the general
// data, the engineer register and, behind Shift+Esc, the export for the
// common-expenses program.
class FrmPyrRes : public QDialog {
    Q_OBJECT
public:
    FrmPyrRes(ProgramState& state, ResultsWindowHooks hooks, QWidget* parent = nullptr);

    QListWidget* List1() const { return list1_; }
    QPushButton* CmdPrev_T() const { return cmdPrevT_; }
    QPushButton* CmdPrint_T() const { return cmdPrintT_; }
    QPushButton* CmdPreview() const { return cmdPreview_; }
    QPushButton* CmdPrint() const { return cmdPrint_; }
    QPushButton* CmdGData() const { return cmdGData_; }
    QPushButton* Cmd_Client() const { return cmdClient_; }
    QPushButton* CmdBack() const { return cmdBack_; }
    QPushButton* CmdPyroTherm() const { return cmdPyroTherm_; }
    QPushButton* CmdBilling() const { return cmdBilling_; }
    QLabel* LblWait() const { return lblWait_; }
    // The menu's entry for the export, and the line that names the files
    // an export wrote, whole.
    QAction* ExportAction() const { return exportAction_; }
    QLabel* LblExported() const { return lblExported_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* Button(const char* name, const char* caption);
    void ShowGeneralData();
    // The general data dialog when a text is missing; true when all three
    // are filled in afterwards.
    bool EnsureGeneralData();
    void RunReport(const std::function<void(bool, QWidget*, QLabel*)>& report, bool print);
    void OnPyroTherm();

    ProgramState& state_;
    ResultsWindowHooks hooks_;
    QListWidget* list1_;
    QGroupBox* frame1_;
    QGroupBox* frame2_;
    QGroupBox* frame3_;
    QPushButton* cmdPrevT_;
    QPushButton* cmdPrintT_;
    QPushButton* cmdPreview_;
    QPushButton* cmdPrint_;
    QPushButton* cmdGData_;
    QPushButton* cmdClient_;
    QPushButton* cmdBack_;
    QPushButton* cmdPyroTherm_;
    QPushButton* cmdBilling_;
    QLabel* lblWait_;
    QLabel* lblExported_;
    QAction* exportAction_;
};

} // namespace pyrostat
