#include "register/PasswordEntry.h"

#include "register/RegisterMessages.h"

namespace pyrostat {

PasswordEntry::Layout PasswordEntry::Open() {
    Layout layout;
    switch (ask_) {
    case PasswordAsk::Register:
        layout.label1 = "Δώστε το Password :";
        break;
    case PasswordAsk::Existing:
        layout.label1 = "Δώστε το υπάρχον Password :";
        break;
    case PasswordAsk::New:
        layout.label1 = "Δώστε το Νέο Password :";
        layout.newPasswordMode = true;
        layout.showConfirmation = true;
        layout.showPanel = false;
        break;
    }
    accepted_.reset();
    return layout;
}

PasswordEntry::OkOutcome PasswordEntry::CmdOK(const std::string& password,
                                              const std::string& confirmation) {
    if (ask_ == PasswordAsk::New) {
        if (confirmation != password) {
            Messages_Pass(1, messages_);
            return OkOutcome::RetryConfirmation;
        }
        if (password.empty()) {
            if (!Messages_Pass(2, messages_)) {
                return OkOutcome::RetryPassword;
            }
        }
    }
    accepted_ = password;
    return OkOutcome::Close;
}

std::optional<std::string> PasswordEntry::Closing() {
    std::optional<std::string> typed = std::move(accepted_);
    accepted_.reset();
    return typed;
}

} // namespace pyrostat
