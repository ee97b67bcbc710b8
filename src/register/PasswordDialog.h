#pragma once

namespace pyrostat {

struct ProgramState;

// The register password dialog as the register logic sees it. The window side
// shows the modal dialog FrmCLPass; tests answer as told.
class PasswordDialog {
public:
    virtual ~PasswordDialog() = default;

    // Asks for the register password, or for a new one with its confirmation
    // when state.NewPasswordMode is set. Leaves in state.TypedPassword what was
    // typed when the dialog was left with O.K., and empty when it was left with
    // Esc or its close box. Returns true for O.K.
    virtual bool Ask(ProgramState& state) = 0;
};

} // namespace pyrostat
