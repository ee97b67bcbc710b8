#include "register/gui/ClientCommand.h"

#include "register/RegisterGate.h"
#include "register/gui/FrmCLient.h"
#include "register/gui/QtPasswordDialog.h"

namespace pyrostat {

void RunClientCommand(QWidget* parent, ProgramState& state, MessageService& messages) {
    QtPasswordDialog dialog(messages, parent);
    if (CheckRegisterAccess(state, dialog) != RegisterAccess::Granted) {
        return;
    }
    FrmCLient window(state, messages, dialog, parent);
    dialog.SetParent(&window);
    window.exec();
}

} // namespace pyrostat
