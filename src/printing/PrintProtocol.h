#pragma once

#include "printing/PrinterChooser.h"
#include "printing/PrinterDialog.h"
#include "printing/PrinterPlatform.h"

#include <functional>
#include <string>

namespace pyrostat {

// The printer steps around a report, for the report commands to call. The
// report itself is a callback that prints on the printer it is given by name
// with the copies given; the desktop's default printer is never changed, so
// nothing is left to put back when a print fails or the program is stopped.
class PrintProtocol {
public:
    using PrintReport = std::function<void(const std::string& printerName, int copies)>;

    PrintProtocol(PrinterPlatform& platform, PrinterChooser& chooser);

    // The main window's print of the input data: the user chooses a printer
    // (a cancel ends everything: nothing printed, false) and the report goes
    // to it with its copies.
    bool PrintWithChoice(PrinterDialog& dialog, const PrintReport& print);

    // The results window's print buttons: no dialog; one copy goes to the
    // default printer, by its name (an empty name when there is none).
    void PrintOnDefault(const PrintReport& print);

private:
    PrinterPlatform& platform_;
    PrinterChooser& chooser_;
};

} // namespace pyrostat
