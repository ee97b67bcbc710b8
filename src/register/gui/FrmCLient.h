#pragma once

#include "platform/MessageService.h"
#include "register/PasswordDialog.h"
#include "register/RegisterSession.h"
#include "register/RegistrationNumbers.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace pyrostat {

class NamesList;
struct ProgramState;

// The register window "ΕΠΙΛΟΓΗ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ": choice of the current
// engineer, and adding, correcting, deleting, copying and reordering the names
// of the register, and the change of its password. Every event goes to the
// RegisterSession; the window shows the state that comes back. Closing the
// window by any means writes the list to the register file.
class FrmCLient : public QDialog {
    Q_OBJECT
public:
    FrmCLient(ProgramState& state, MessageService& messages, PasswordDialog& dialog,
              QWidget* parent = nullptr);

    const RegisterSession& Session() const { return session_; }

    QLabel* SSPanel1() const { return SSPanel1_; }
    QToolButton* Cmd_Copy() const { return Cmd_Copy_; }
    NamesList* Lst_Names() const { return Lst_Names_; }
    QLabel* Lbl_Client() const { return Lbl_Client_; }
    QLineEdit* Txt_Client() const { return Txt_Client_; }
    QLabel* LblNoChars() const { return LblNoChars_; }
    QLineEdit* Txt_Am() const { return Txt_Am_; }
    QPushButton* Cmd_New() const { return Cmd_New_; }
    QPushButton* Cmd_COR() const { return Cmd_COR_; }
    QPushButton* Cmd_Del() const { return Cmd_Del_; }
    QLineEdit* Txt_Pass() const { return Txt_Pass_; }
    QToolButton* Cmd_Lock() const { return Cmd_Lock_; }
    QPushButton* Cmd_OK() const { return Cmd_OK_; }
    QPushButton* Cmd_Exit() const { return Cmd_Exit_; }
    QGroupBox* SSFrame1() const { return SSFrame1_; }
    QGroupBox* SSFrame2() const { return SSFrame2_; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ConnectControls();
    // Shows the session's state in every control.
    void Refresh();
    void RefreshList();
    void RefreshCounter();
    // The name of the list's selected row, or empty.
    std::string SelectedName() const;
    // Writes the number typed for the selected name beside the register.
    void StoreNumber();

    RegisterSession session_;
    MessageService& messages_;
    bool closed_ = false;

    QGroupBox* SSFrame2_;
    QLabel* SSPanel1_;
    QToolButton* Cmd_Copy_;
    QGroupBox* SSFrame1_;
    NamesList* Lst_Names_;
    QLabel* Lbl_Client_;
    QLineEdit* Txt_Client_;
    QLabel* LblNoChars_;
    QLabel* Lbl_Am_;
    QLineEdit* Txt_Am_;
    RegistrationNumbers numbers_;
    std::string numbersPath_;
    QPushButton* Cmd_New_;
    QPushButton* Cmd_COR_;
    QPushButton* Cmd_Del_;
    QLabel* Label1_;
    QLineEdit* Txt_Pass_;
    QToolButton* Cmd_Lock_;
    QPushButton* Cmd_OK_;
    QPushButton* Cmd_Exit_;
};

} // namespace pyrostat
