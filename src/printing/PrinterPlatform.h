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
// user's own default printer. A report goes to its printer by name; the
// default, which every other program of the desktop prints on, is only read.
// The real one talks to CUPS; tests use PrinterPlatformMemory.
class PrinterPlatform {
public:
    virtual ~PrinterPlatform() = default;

    virtual std::vector<PrinterDestination> Destinations() const = 0;
    // The user's default printer, empty when there is none.
    virtual std::string UserDefault() const = 0;
};

} // namespace pyrostat
