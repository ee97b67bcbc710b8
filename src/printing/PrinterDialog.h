#pragma once

#include "printing/PrinterSetup.h"

#include <string>

namespace pyrostat {

// What the printer dialog answered.
struct PrinterDialogAnswer {
    enum class Outcome { Chosen, Cancelled, Failed };
    Outcome outcome = Outcome::Cancelled;
    std::string deviceName; // the chosen printer
    PageSettings page;      // the page settings chosen with it
    int errorNumber = 0;    // when it failed
};

// The platform's printer dialog, shown over the window that owns it. The
// window side shows Qt's dialog; tests answer as told.
class PrinterDialog {
public:
    virtual ~PrinterDialog() = default;
    virtual PrinterDialogAnswer Show(const PrinterSetup& current) = 0;
};

} // namespace pyrostat
