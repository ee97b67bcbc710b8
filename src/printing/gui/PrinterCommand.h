#pragma once

#include "platform/MessageService.h"
#include "printing/PrintProtocol.h"
#include "program/ProgramState.h"

#include <string>

namespace pyrostat {

// Printing from the command line: the printer is named instead of chosen in
// the dialog, and the rest of the print goes as from the window (the user's
// default printer switched to it for the time of the print and put back).
// `print` prints the report on the printer it is given by name. Returns
// false when the printer is not known to CUPS (a message says so) and
// nothing was printed.
bool RunPrintCommand(ProgramState& state, MessageService& messages, const std::string& printerName,
                     int copies, const PrintProtocol::PrintReport& print);

} // namespace pyrostat
