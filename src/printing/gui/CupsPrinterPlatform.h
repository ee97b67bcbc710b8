#pragma once

#include "printing/PrinterPlatform.h"

namespace pyrostat {

// The printers of CUPS, only read. The user's default printer is the per-user default
// destination, the one "lpoptions -d" sets (kept in ~/.cups/lpoptions).
// Built without CUPS it knows no printer.
class CupsPrinterPlatform : public PrinterPlatform {
public:
    std::vector<PrinterDestination> Destinations() const override;
    std::string UserDefault() const override;
};

} // namespace pyrostat
