#include "printing/PrinterPlatformMemory.h"

#include <utility>

namespace pyrostat {

PrinterPlatformMemory::PrinterPlatformMemory(std::vector<PrinterDestination> printers,
                                             std::string userDefault)
    : printers_(std::move(printers)), userDefault_(std::move(userDefault)) {}

bool PrinterPlatformMemory::SetUserDefault(const std::string& name) {
    if (refuse_) {
        return false;
    }
    for (const PrinterDestination& printer : printers_) {
        if (printer.name == name) {
            userDefault_ = name;
            defaultsSet_.push_back(name);
            return true;
        }
    }
    return false;
}

} // namespace pyrostat
