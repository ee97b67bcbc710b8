#include "printing/PrintProtocol.h"

namespace pyrostat {

PrintProtocol::PrintProtocol(PrinterSession& session, int16_t& status, PrinterSwitching& switching,
                             PrinterChooser& chooser)
    : state_(session), status_(status), switching_(switching), chooser_(chooser) {}

void PrintProtocol::SaveDefaultPrinter() {
    state_.SavedDefaultPrinter = PrinterNameOfEntry(switching_.GetDefaultPrinterName());
}

void PrintProtocol::RestoreIfChanged() {
    if (state_.DefaultPrinterChanged) {
        switching_.RestoreDefaultPrinter();
        state_.DefaultPrinterChanged = false;
    }
}

bool PrintProtocol::PrintWithChoice(PrinterDialog& dialog, const PrintReport& print) {
    SaveDefaultPrinter();
    chooser_.ChoosePrinter(dialog);
    if (TakeStatus(status_, kStatusPrinterCancelled)) {
        return false;
    }
    const PrinterSetup& printer = chooser_.CurrentPrinter();
    const int copies = printer.page.copies > 0 ? printer.page.copies : 1;
    try {
        print(printer.deviceName, copies);
    } catch (...) {
        // A report that fails still leaves the user's default as it was.
        switching_.RestoreDefaultPrinter();
        RestoreIfChanged();
        throw;
    }
    switching_.RestoreDefaultPrinter();
    RestoreIfChanged();
    return true;
}

bool PrintProtocol::PrintOnCurrent(const PrintReport& print) {
    SaveDefaultPrinter();
    if (TakeStatus(status_, kStatusPrinterCancelled)) {
        return false;
    }
    // The printer of these buttons is the one the system prints on now: the
    // default printer, named, so that the report goes where the user sees it.
    print(state_.SavedDefaultPrinter, 1);
    RestoreIfChanged();
    return true;
}

void PrintProtocol::Preview(const PreviewReport& preview) {
    SaveDefaultPrinter();
    preview();
    RestoreIfChanged();
}

} // namespace pyrostat
