#pragma once

#include "platform/MessageService.h"

class QWidget;

namespace pyrostat {

struct ProgramState;

// The register command Cmd_Client of the main window and of the results window:
// without "CLIENTS.MIR" in the program folder it does nothing; a protected
// register asks for its password first and stays shut, without a message, when
// the password is wrong; then the register window opens modally.
void RunClientCommand(QWidget* parent, ProgramState& state, MessageService& messages);

} // namespace pyrostat
