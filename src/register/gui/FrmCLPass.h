#pragma once

#include "platform/MessageService.h"
#include "register/PasswordEntry.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pyrostat {

// Said wherever the register password is typed: the protection keeps casual
// users out and nothing more.
inline constexpr const char* kPasswordIsNotEncryption =
    "Το Password κρατά μακριά τον περιστασιακό χρήστη· ΔΕΝ είναι κρυπτογράφηση: τα ονόματα "
    "και το Password απλώς ανακατεύονται στο αρχείο με σταθερό κλειδί.";

// The register password dialog: one box to give the password, or two to give
// a new one and confirm it (PasswordAsk::New). The password keeps casual
// users out of the register; it is not encryption. What the dialog decides is
// PasswordEntry's; this window only shows it.
class FrmCLPass : public QDialog {
    Q_OBJECT
public:
    FrmCLPass(PasswordAsk ask, MessageService& messages, QWidget* parent = nullptr);

    // The password typed when the dialog was left with O.K.; nothing after
    // Esc or the close box.
    const std::optional<std::string>& Typed() const { return typed_; }
    bool WasAccepted() const { return typed_.has_value(); }

    QLineEdit* TxtPass() const { return TxtPass_; }
    QLineEdit* TxtPassOK() const { return TxtPassOK_; }
    QPushButton* CmdOK() const { return CmdOK_; }
    QLabel* Label1() const { return Label1_; }
    QLabel* LblOK() const { return LblOK_; }
    QLabel* SSPanel1() const { return SSPanel1_; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnOk();

    PasswordEntry entry_;
    std::optional<std::string> typed_;
    bool closed_ = false;
    QLabel* SSPanel1_;
    QLabel* Label1_;
    QLineEdit* TxtPass_;
    QLabel* LblOK_;
    QLineEdit* TxtPassOK_;
    QPushButton* CmdOK_;
};

} // namespace pyrostat
