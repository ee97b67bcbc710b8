#include "register/gui/QtPasswordDialog.h"

#include "register/gui/FrmCLPass.h"

namespace pyrostat {

std::optional<std::string> QtPasswordDialog::Ask(PasswordAsk ask) {
    FrmCLPass dialog(ask, messages_, parent_);
    dialog.exec();
    return dialog.Typed();
}

} // namespace pyrostat
