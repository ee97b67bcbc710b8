#pragma once

#include <string>
#include <vector>

namespace pyrostat {

// One printer the system prints to.
struct PrinterDestination {
    std::string name;         // the queue name, used to print on it
    std::string makeAndModel; // stands for the driver name
    std::string deviceUri;    // stands for the port
};

// The printing system as the printer routines see it: the printers, and the
// user's own default printer, which a print switches for its duration and
// puts back afterwards. The real one talks to CUPS; tests use
// PrinterPlatformMemory.
class PrinterPlatform {
public:
    virtual ~PrinterPlatform() = default;

    virtual std::vector<PrinterDestination> Destinations() const = 0;
    // The user's default printer, empty when there is none.
    virtual std::string UserDefault() const = 0;
    // Makes the named printer the user's default; false when there is no such
    // printer or the setting cannot be stored.
    virtual bool SetUserDefault(const std::string& name) = 0;
};

} // namespace pyrostat
