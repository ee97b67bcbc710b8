#pragma once

#include "platform/MessageService.h"
#include "printing/PrintProtocol.h"

#include <string>

namespace pyrostat {

// Printing from the command line: the printer is named instead of chosen in
// the dialog, and the report goes to it by name, as from the window; the
// user's default printer is left as it is. `print` prints the report on the
// printer it is given by name. Returns false when the printer is not known to
// CUPS (a message says so) and nothing was printed.
bool RunPrintCommand(MessageService& messages, const std::string& printerName, int copies,
                     const PrintProtocol::PrintReport& print);

} // namespace pyrostat
