#pragma once

namespace pyrostat {

struct EngineerChoice;

// The register password dialog as the register logic sees it. The window side
// shows the modal dialog FrmCLPass; tests answer as told.
class PasswordDialog {
public:
    virtual ~PasswordDialog() = default;

    // Asks for the register password, or for a new one with its confirmation
    // when engineer.NewPasswordMode is set. Leaves in engineer.TypedPassword what was
    // typed when the dialog was left with O.K., and empty when it was left with
    // Esc or its close box. Returns true for O.K.
    virtual bool Ask(EngineerChoice& engineer) = 0;
};

} // namespace pyrostat
