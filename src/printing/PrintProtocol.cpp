#include "printing/PrintProtocol.h"

namespace pyrostat {

PrintProtocol::PrintProtocol(PrinterPlatform& platform, PrinterChooser& chooser)
    : platform_(platform), chooser_(chooser) {}

bool PrintProtocol::PrintWithChoice(PrinterDialog& dialog, const PrintReport& print) {
    const std::optional<PrinterSetup> printer = chooser_.ChoosePrinter(dialog);
    if (!printer) {
        return false;
    }
    print(printer->deviceName, printer->page.copies > 0 ? printer->page.copies : 1);
    return true;
}

void PrintProtocol::PrintOnDefault(const PrintReport& print) {
    print(platform_.UserDefault(), 1);
}

} // namespace pyrostat
