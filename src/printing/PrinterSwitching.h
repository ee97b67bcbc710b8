#pragma once

#include "platform/SettingsStore.h"
#include "printing/PrinterPlatform.h"
#include "printing/PrinterPortRecord.h"
#include "program/ProgramState.h"

#include <string>

namespace pyrostat {

// Reading the default printer, the printer-ports cache and the switching of
// the default printer for the time of a print. Which method applies follows
// the system version flags of the state: the 4.x family (IsMajorVersion4,
// LaterVersionCode 0) and the per-user family (LaterVersionCode -1, which is
// what this program runs as on Linux); on any other version nothing is read
// or written.
class PrinterSwitching {
public:
    PrinterSwitching(const ProgramState& state, SettingsStore& settings, PrinterPlatform& platform);

    bool IsVersion4() const;
    bool IsVersion5() const;

    // The default printer's entry: name, comma, driver, comma, port (4.x: the
    // name alone). Callers keep the part before the first comma.
    std::string GetDefaultPrinterName() const;
    // Rebuilds "iPrinters.prt" in the program folder from the PrinterPorts
    // key. Returns false when the key cannot be opened or the file cannot be
    // written.
    bool CachePrinterPorts();
    // Looks the printer up in "iPrinters.prt"; when found its record is the
    // record buffer. Returns whether it was found.
    bool FindPrinterPorts(const std::string& name);
    // Writes "Device" from the record buffer.
    bool WriteDeviceSetting();
    // Makes the named printer the default. A printer missing from the cache
    // (installed after start-up) makes the cache be rebuilt once; a printer
    // still missing leaves the default as it is. Errors are ignored.
    void MakeDefaultPrinter(const std::string& name);
    // The 4.x method: marks the printer as the default one.
    bool SetDefaultPrinterAttribute(const std::string& name);
    // Puts SavedDefaultPrinter back as the default; errors are ignored.
    void RestoreDefaultPrinter();

    const PrinterPortRecord& RecordBuffer() const { return buffer_; }

private:
    const ProgramState& state_;
    SettingsStore& settings_;
    PrinterPlatform& platform_;
    PrinterPortRecord buffer_;
};

// The printer name of a default-printer entry: the text before its first
// comma, or the whole entry when it has none.
std::string PrinterNameOfEntry(const std::string& entry);

} // namespace pyrostat
