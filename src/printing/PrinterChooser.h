#pragma once

#include "platform/MessageService.h"
#include "printing/PrinterDialog.h"
#include "printing/PrinterPlatform.h"
#include "printing/PrinterSetup.h"
#include "printing/PrinterSwitching.h"
#include "program/ProgramState.h"
#include "program/StatusCodes.h"

namespace pyrostat {

// The choice of the printer for a print, and the printer chosen last (the
// current printer), which lasts for the whole run.
class PrinterChooser {
public:
    // `status` is the program's status word, where a cancelled choice is left.
    PrinterChooser(PrinterSession& session, int16_t& status, PrinterPlatform& platform,
                   PrinterSwitching& switching, MessageService& messages);

    // Shows the printer dialog. Cancel, or a failure, leaves StatusCode 327.
    // A printer other than the current one becomes the current printer, sets
    // DefaultPrinterChanged and is made the default for the time of the
    // print; the seven page settings chosen are carried to the current
    // printer.
    void ChoosePrinter(PrinterDialog& dialog);

    // The current printer; before any choice, the default printer.
    const PrinterSetup& CurrentPrinter();

private:
    void FillFromDefault();

    PrinterSession& state_;
    int16_t& status_;
    PrinterPlatform& platform_;
    PrinterSwitching& switching_;
    MessageService& messages_;
    PrinterSetup current_;
};

// Upper case for comparing printer names: Latin and Greek letters.
std::string UpperForCompare(const std::string& utf8);

} // namespace pyrostat
