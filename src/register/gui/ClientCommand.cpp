#include "register/gui/ClientCommand.h"

#include "program/ProgramState.h"
#include "register/RegisterGate.h"
#include "register/gui/FrmCLient.h"
#include "register/gui/QtPasswordDialog.h"

namespace pyrostat {

void RunClientCommand(QWidget* parent, ProgramState& state, MessageService& messages) {
    QtPasswordDialog dialog(messages, parent);
    const RegisterAccess access = CheckRegisterAccess(RegisterFile::InProgramFolder(state), dialog);
    if (access == RegisterAccess::NotReadable) {
        messages.ShowWithBeeps("!! ΠΡΟΣΟΧΗ !!", RegisterNotReadableMessage(state),
                               MessageService::Icon::Exclamation);
        return;
    }
    if (access == RegisterAccess::WrongPassword) {
        messages.ShowWithBeeps("!! ΠΡΟΣΟΧΗ !!", kWrongPasswordText,
                               MessageService::Icon::Exclamation);
        return;
    }
    if (access != RegisterAccess::Granted) {
        return;
    }
    FrmCLient window(state, messages, dialog, parent);
    dialog.SetParent(&window);
    window.exec();
}

} // namespace pyrostat
