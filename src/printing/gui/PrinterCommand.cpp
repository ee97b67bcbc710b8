#include "printing/gui/PrinterCommand.h"

#include "printing/PrinterDialogGiven.h"
#include "printing/gui/PrinterServices.h"

namespace pyrostat {

bool RunPrintCommand(MessageService& messages, const std::string& printerName, int copies,
                     const PrintProtocol::PrintReport& print) {
    PrinterServices printers(messages);
    PrinterDialogGiven dialog(printerName, copies);
    return printers.Protocol().PrintWithChoice(dialog, print);
}

} // namespace pyrostat
