#include "printing/gui/PrinterCommand.h"

#include "printing/PrinterDialogGiven.h"
#include "printing/gui/PrinterServices.h"

namespace pyrostat {

bool RunPrintCommand(ProgramState& state, MessageService& messages, const std::string& printerName,
                     int copies, const PrintProtocol::PrintReport& print) {
    PrinterServices printers(state, messages);
    printers.StartUp();
    PrinterDialogGiven dialog(printerName, copies);
    return printers.Protocol().PrintWithChoice(dialog, print);
}

} // namespace pyrostat
