#pragma once

#include "printing/PrinterDialog.h"

#include <string>
#include <utility>

namespace pyrostat {

// The printer choice of the command line: the printer named there, with the
// current printer's page settings and the given number of copies.
class PrinterDialogGiven : public PrinterDialog {
public:
    PrinterDialogGiven(std::string printerName, int copies)
        : printerName_(std::move(printerName)), copies_(copies) {}

    PrinterDialogAnswer Show(const PrinterSetup& current) override {
        PrinterDialogAnswer answer;
        answer.outcome = printerName_.empty() ? PrinterDialogAnswer::Outcome::Cancelled
                                              : PrinterDialogAnswer::Outcome::Chosen;
        answer.deviceName = printerName_;
        answer.page = current.page;
        answer.page.copies = copies_ > 0 ? copies_ : 1;
        return answer;
    }

private:
    std::string printerName_;
    int copies_;
};

} // namespace pyrostat
