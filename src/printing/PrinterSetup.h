#pragma once

#include <string>

namespace pyrostat {

enum class PageOrientation { Portrait, Landscape };
enum class PrintColorMode { Monochrome, Color };
enum class DuplexMode { Simplex, LongEdge, ShortEdge };

// The seven page settings that the printer dialog carries to the current
// printer.
struct PageSettings {
    PageOrientation orientation = PageOrientation::Portrait;
    std::string paperSize = "A4"; // the paper's name, as "A4" or "Letter"
    std::string paperSource;      // the tray; empty for the printer's own choice
    int copies = 1;
    PrintColorMode colorMode = PrintColorMode::Color;
    DuplexMode duplex = DuplexMode::Simplex;
    int resolution = 0; // dots per inch; 0 for the printer's own

    bool operator==(const PageSettings&) const = default;
};

// The printer the program prints on: the printer last chosen in the printer
// dialog, or the default printer before any choice.
struct PrinterSetup {
    std::string deviceName;
    std::string driverName;
    std::string port;
    PageSettings page;
};

} // namespace pyrostat
