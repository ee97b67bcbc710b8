#pragma once

#include "platform/MessageService.h"
#include "printing/PrintProtocol.h"
#include "printing/PrinterChooser.h"
#include "printing/PrinterPlatform.h"
#include "printing/PrinterSettingsStore.h"
#include "printing/PrinterSwitching.h"
#include "program/ProgramState.h"

#include <memory>

namespace pyrostat {

// The printer side of one run of the program, put together once: the
// printing system (CUPS unless another is given), the settings over it, the
// default-printer switching, the current printer and the print protocol that
// the report commands call.
class PrinterServices {
public:
    PrinterServices(ProgramState& state, MessageService& messages,
                    std::unique_ptr<PrinterPlatform> platform = nullptr);

    // The start-up step of the main window: the printer-ports cache is
    // rebuilt on the per-user family of systems (which Linux is).
    void StartUp();

    PrinterSwitching& Switching() { return switching_; }
    PrinterChooser& Chooser() { return chooser_; }
    PrintProtocol& Protocol() { return protocol_; }

private:
    std::unique_ptr<PrinterPlatform> platform_;
    PrinterSettingsStore settings_;
    PrinterSwitching switching_;
    PrinterChooser chooser_;
    PrintProtocol protocol_;
};

} // namespace pyrostat
