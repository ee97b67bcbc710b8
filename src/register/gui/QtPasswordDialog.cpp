#include "register/gui/QtPasswordDialog.h"

#include "register/gui/FrmCLPass.h"

namespace pyrostat {

bool QtPasswordDialog::Ask(EngineerChoice& engineer) {
    FrmCLPass dialog(engineer, messages_, parent_);
    dialog.exec();
    return dialog.WasAccepted();
}

} // namespace pyrostat
