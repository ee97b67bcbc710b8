#pragma once

#include "platform/MessageService.h"
#include "register/PasswordDialog.h"

#include <optional>
#include <string>

namespace pyrostat {

// What the password dialog FrmCLPass does, without the window: its captions and
// visible boxes when it opens, the checks of its O.K. button and the password
// it gives when it closes. The dialog window only shows this.
class PasswordEntry {
public:
    static constexpr size_t kMaxPasswordChars = 20;

    PasswordEntry(PasswordAsk ask, MessageService& messages) : ask_(ask), messages_(messages) {}

    struct Layout {
        std::string label1; // caption of the password box
        bool newPasswordMode = false;
        bool showConfirmation = false; // LblOK and TxtPassOK
        bool showPanel = true;         // SSPanel1 "Προστασία με Password"
    };

    // Opening: the captions of what is asked.
    Layout Open();

    enum class OkOutcome {
        Close,             // accepted: Closing gives the password
        RetryConfirmation, // the new passwords differ: confirmation box emptied, focus to it
        RetryPassword,     // no password wanted after all: focus to the password box
    };
    // CmdOK with the texts of TxtPass and TxtPassOK.
    OkOutcome CmdOK(const std::string& password, const std::string& confirmation);

    // Closing by any means: the password typed after O.K., nothing otherwise.
    std::optional<std::string> Closing();

private:
    PasswordAsk ask_;
    MessageService& messages_;
    std::optional<std::string> accepted_;
};

} // namespace pyrostat
