#pragma once

#include "platform/MessageService.h"

#include "platform/FileDates.h"
#include "program/ProgramState.h"
#include "studies/StudyBrowser.h"

#include <QDialog>

#include <functional>
#include <string>

class QLabel;
class QListWidget;
class QPushButton;

namespace pyrostat {

// The study browser: the titles of the studies in the study folder, the file
// name, folder, date and time of the selected one, Open (button or double
// click) and the way out to the standard open dialog (CmdClassic). Esc closes
// it without opening anything.
class FrmOpenSave : public QDialog {
    Q_OBJECT

public:
    // `openStudy` opens a study of the list (the main window's OpenFile).
    // `messages` tells of a damaged list file that had to be rebuilt.
    FrmOpenSave(const ProgramState& state, std::function<void(const std::string&)> openStudy,
                QWidget* parent = nullptr, ShortDateFormatter formatDate = {},
                MessageService* messages = nullptr);

    // True when the browser was left through CmdClassic: the caller then
    // shows the standard open dialog (ClassicOpenFile).
    bool ClassicChosen() const { return classic_; }

    QListWidget* LstStudies() const { return lstStudies_; }
    QPushButton* CmdOpenSave() const { return cmdOpenSave_; }
    QPushButton* CmdClassic() const { return cmdClassic_; }
    QLabel* LblFileName() const { return lblFileName_; }
    QLabel* LblFilePath() const { return lblFilePath_; }
    QLabel* LblFileDate() const { return lblFileDate_; }
    QLabel* LblFileTime() const { return lblFileTime_; }
    QLabel* LblNumber() const { return lblNumber_; }

    // What activation does: no line selected, the labels emptied.
    void Activate();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ShowLabels();
    void OnSelect(int row);
    void OnOpen();
    void OnClassic();

    StudyBrowser browser_;
    std::function<void(const std::string&)> openStudy_;
    bool classic_ = false;
    bool activatedOnce_ = false;
    MessageService* messages_;

    QListWidget* lstStudies_;
    QPushButton* cmdOpenSave_;
    QPushButton* cmdClassic_;
    QLabel* lblFileName_;
    QLabel* lblFilePath_;
    QLabel* lblFileDate_;
    QLabel* lblFileTime_;
    QLabel* lblNumber_;
};

} // namespace pyrostat
