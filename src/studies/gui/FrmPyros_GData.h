#pragma once

#include "program/ProgramState.h"
#include "studies/GeneralDataForm.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pyrostat {

// The general data dialog: employer, project and location of the study. O.K.
// with all three filled stores them and writes "Thema.tmp"; Esc leaves them
// as they were.
class FrmPyros_GData : public QDialog {
    Q_OBJECT
public:
    FrmPyros_GData(GeneralDataFields& general, const std::string& programFolder,
                   QWidget* parent = nullptr);

    // Whether it was left with Esc.
    bool Escaped() const { return escaped_; }

    QLineEdit* Text1() const { return text_[0]; }
    QLineEdit* Text2() const { return text_[1]; }
    QLineEdit* Text3() const { return text_[2]; }
    QPushButton* CmdOK() const { return cmdOK_; }

    static const char* Caption();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void OnOK();

    GeneralDataForm form_;
    QLabel* label_[3];
    QLineEdit* text_[3];
    QPushButton* cmdOK_;
    bool escaped_ = false;
};

// Shows the dialog modally over `parent`; true when it was closed with O.K.,
// false when it was left with Esc (the data as they were).
bool ShowGeneralDataDialog(QWidget* parent, ProgramState& state);

} // namespace pyrostat
