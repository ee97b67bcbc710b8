#pragma once

#include "platform/MessageService.h"
#include "printing/PrinterDialog.h"
#include "printing/PrinterPlatform.h"
#include "printing/PrinterSetup.h"

#include <optional>
#include <string>

namespace pyrostat {

// The choice of the printer for a print, and the printer chosen last (the
// current printer), which lasts for the whole run.
class PrinterChooser {
public:
    PrinterChooser(PrinterPlatform& platform, MessageService& messages);

    // Shows the printer dialog. The printer chosen becomes the current
    // printer, with the seven page settings chosen, and is returned; nothing
    // when the choice was cancelled, failed or named a printer the system
    // does not have (the last two told). The desktop's default printer is
    // never changed.
    std::optional<PrinterSetup> ChoosePrinter(PrinterDialog& dialog);

    // The current printer; before any choice, the default printer.
    const PrinterSetup& CurrentPrinter();

private:
    void FillFromDefault();

    PrinterPlatform& platform_;
    MessageService& messages_;
    PrinterSetup current_;
};

// Upper case for comparing printer names: Latin and Greek letters.
std::string UpperForCompare(const std::string& utf8);

} // namespace pyrostat
