#include "printing/PrinterPlatformMemory.h"

#include <utility>

namespace pyrostat {

PrinterPlatformMemory::PrinterPlatformMemory(std::vector<PrinterDestination> printers,
                                             std::string userDefault)
    : printers_(std::move(printers)), userDefault_(std::move(userDefault)) {}

} // namespace pyrostat
