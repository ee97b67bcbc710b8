#pragma once

#include "printing/PrinterChooser.h"
#include "printing/PrinterDialog.h"
#include "printing/PrinterSwitching.h"
#include "program/ProgramState.h"

#include <functional>
#include <string>

namespace pyrostat {

// The printer steps around a report, for the report commands to call. The
// report itself is a callback that prints on the printer it is given by name
// (an empty name meaning the default printer), so a default printer that
// could not be switched never sends the report elsewhere.
class PrintProtocol {
public:
    using PrintReport = std::function<void(const std::string& printerName, int copies)>;
    using PreviewReport = std::function<void()>;

    // `status` is the program's status word, where the chooser leaves a cancel.
    PrintProtocol(PrinterSession& session, int16_t& status, PrinterSwitching& switching,
                  PrinterChooser& chooser);

    // SavedDefaultPrinter = the default printer's name (the entry before its
    // first comma).
    void SaveDefaultPrinter();

    // The main window's print of the input data: save the default, let the
    // user choose a printer (a cancel ends everything: StatusCode back to 0,
    // nothing printed, false), print on the chosen printer with its copies,
    // put the default back, and when it had been switched put it back once
    // more and clear the flag.
    bool PrintWithChoice(PrinterDialog& dialog, const PrintReport& print);

    // The results window's print buttons: no dialog; a StatusCode of 327 left
    // by a cancelled choice skips the report and is reset. Otherwise one copy
    // goes to the current default printer (by its name; an empty name when
    // there is none); a switched default is put back.
    bool PrintOnCurrent(const PrintReport& print);

    // The preview buttons: save the default, preview, put back a switched
    // default.
    void Preview(const PreviewReport& preview);

private:
    void RestoreIfChanged();

    PrinterSession& state_;
    int16_t& status_;
    PrinterSwitching& switching_;
    PrinterChooser& chooser_;
};

} // namespace pyrostat
