#pragma once

#include <optional>
#include <string>

namespace pyrostat {

// What the password dialog asks for: the register's password to open it, the
// existing password before a change, or a new one with its confirmation.
enum class PasswordAsk { Register, Existing, New };

// The register password dialog as the register logic sees it. The window side
// shows the modal dialog FrmCLPass; tests answer as told.
class PasswordDialog {
public:
    virtual ~PasswordDialog() = default;

    // The password typed when the dialog was left with O.K.; nothing when it
    // was left with Esc or its close box.
    virtual std::optional<std::string> Ask(PasswordAsk ask) = 0;
};

} // namespace pyrostat
