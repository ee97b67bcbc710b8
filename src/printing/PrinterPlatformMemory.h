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
    bool SetUserDefault(const std::string& name) override;

    void Add(const PrinterDestination& printer) { printers_.push_back(printer); }
    // Every default that was set, in order (also a default set again).
    const std::vector<std::string>& DefaultsSet() const { return defaultsSet_; }
    // Makes every later SetUserDefault fail, as a store that cannot be written.
    void RefuseChanges(bool refuse) { refuse_ = refuse; }

private:
    std::vector<PrinterDestination> printers_;
    std::string userDefault_;
    std::vector<std::string> defaultsSet_;
    bool refuse_ = false;
};

} // namespace pyrostat
