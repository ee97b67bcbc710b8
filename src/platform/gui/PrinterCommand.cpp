#include "platform/gui/PrinterCommand.h"

#include "platform/PrinterChooser.h"
#include "platform/PrinterDialogGiven.h"
#include "platform/PrinterSettingsStore.h"
#include "platform/PrinterSwitching.h"
#include "platform/gui/CupsPrinterPlatform.h"

namespace pyrostat {

bool RunPrintCommand(ProgramState& state, MessageService& messages, const std::string& printerName,
                     int copies, const PrintProtocol::PrintReport& print) {
    CupsPrinterPlatform cups;
    PrinterSettingsStore settings(cups);
    PrinterSwitching switching(state, settings, cups);
    PrinterChooser chooser(state, cups, switching, messages);
    PrintProtocol protocol(state, switching, chooser);
    PrinterDialogGiven dialog(printerName, copies);
    return protocol.PrintWithChoice(dialog, print);
}

} // namespace pyrostat
