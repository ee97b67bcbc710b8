#pragma once

#include "platform/MessageService.h"
#include "register/PasswordDialog.h"

class QWidget;

namespace pyrostat {

// The password dialog of the register shown as the modal window FrmCLPass.
class QtPasswordDialog : public PasswordDialog {
public:
    QtPasswordDialog(MessageService& messages, QWidget* parent)
        : messages_(messages), parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    std::optional<std::string> Ask(PasswordAsk ask) override;

private:
    MessageService& messages_;
    QWidget* parent_;
};

} // namespace pyrostat
