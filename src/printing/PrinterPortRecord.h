#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pyrostat {

// One record of the printer-ports cache "iPrinters.prt": 2170 bytes, the
// record number, the printer's name and the start of its ports entry, then
// 632 blanks that nothing reads.
struct PrinterPortRecord {
    static constexpr size_t kLength = 2170;
    static constexpr size_t kNameOffset = 2;
    static constexpr size_t kNameWidth = 1024;
    static constexpr size_t kPortOffset = 1026;
    static constexpr size_t kPortWidth = 512;
    static constexpr size_t kRestOffset = 1538;
    static constexpr size_t kRestWidth = 632;

    int16_t RecordNo = 0;
    std::string PrinterName;   // UTF-8, trimmed
    std::string DriverAndPort; // UTF-8, trimmed

    std::string ToBytes() const;
    // `bytes` must be exactly kLength bytes long.
    static PrinterPortRecord FromBytes(std::string_view bytes);
};

inline constexpr const char* kPrinterPortsFile = "iPrinters.prt";

} // namespace pyrostat
