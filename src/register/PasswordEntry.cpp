#include "register/PasswordEntry.h"

#include "program/ProgramState.h"
#include "register/RegisterMessages.h"

namespace pyrostat {

PasswordEntry::Layout PasswordEntry::Open() {
    Layout layout;
    layout.label1 =
        state_.TypedPassword.empty() ? "Δώστε το Password :" : "Δώστε το υπάρχον Password :";
    layout.newPasswordMode = state_.NewPasswordMode;
    if (state_.NewPasswordMode) {
        layout.label1 = "Δώστε το Νέο Password :";
        layout.showConfirmation = true;
        layout.showPanel = false;
    }
    state_.TypedPassword.clear();
    Accepted = false;
    return layout;
}

PasswordEntry::OkOutcome PasswordEntry::CmdOK(const std::string& password,
                                              const std::string& confirmation) {
    if (state_.NewPasswordMode) {
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
    Accepted = true;
    state_.TypedPassword = password;
    return OkOutcome::Close;
}

bool PasswordEntry::Closing() {
    const bool accepted = Accepted;
    Accepted = false;
    if (!accepted) {
        state_.TypedPassword.clear();
    }
    return accepted;
}

} // namespace pyrostat
