#pragma once

#include "printing/PrinterPlatform.h"

#include <string>
#include <vector>

namespace pyrostat {

// Printers held in memory: the tests and the command line use it.
class PrinterPlatformMemory : public PrinterPlatform {
public:
    PrinterPlatformMemory() = default;
    PrinterPlatformMemory(std::vector<PrinterDestination> printers, std::string userDefault);

    std::vector<PrinterDestination> Destinations() const override { return printers_; }
    std::string UserDefault() const override { return userDefault_; }

    void Add(const PrinterDestination& printer) { printers_.push_back(printer); }

private:
    std::vector<PrinterDestination> printers_;
    std::string userDefault_;
};

} // namespace pyrostat
