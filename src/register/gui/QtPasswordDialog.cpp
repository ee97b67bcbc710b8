#include "register/gui/QtPasswordDialog.h"

#include "register/gui/FrmCLPass.h"

namespace pyrostat {

bool QtPasswordDialog::Ask(ProgramState& state) {
    FrmCLPass dialog(state, messages_, parent_);
    dialog.exec();
    return dialog.WasAccepted();
}

} // namespace pyrostat
