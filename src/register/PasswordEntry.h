#pragma once

#include "platform/MessageService.h"

#include <string>

namespace pyrostat {

struct EngineerChoice;

// What the password dialog FrmCLPass does, without the window: its captions and
// visible boxes when it opens, the checks of its O.K. button and what it
// leaves in TypedPassword when it closes. The dialog window only shows this.
class PasswordEntry {
public:
    static constexpr size_t kMaxPasswordChars = 20;

    PasswordEntry(EngineerChoice& engineer, MessageService& messages)
        : state_(engineer), messages_(messages) {}

    struct Layout {
        std::string label1; // caption of the password box
        bool newPasswordMode = false;
        bool showConfirmation = false; // LblOK and TxtPassOK
        bool showPanel = true;         // SSPanel1 "Προστασία με Password"
    };

    // Opening: decides the captions from TypedPassword and NewPasswordMode, then
    // empties TypedPassword.
    Layout Open();

    enum class OkOutcome {
        Close,             // accepted: TypedPassword holds the password
        RetryConfirmation, // the new passwords differ: confirmation box emptied, focus to it
        RetryPassword,     // no password wanted after all: focus to the password box
    };
    // CmdOK with the texts of TxtPass and TxtPassOK.
    OkOutcome CmdOK(const std::string& password, const std::string& confirmation);

    // Closing by any means: keeps TypedPassword after O.K., empties it otherwise.
    // Returns whether the dialog was accepted.
    bool Closing();

private:
    EngineerChoice& state_;
    MessageService& messages_;
    bool Accepted = false;
};

} // namespace pyrostat
