#include "printing/PrinterSwitching.h"

#include "platform/FileAccess.h"
#include "platform/RecordFile.h"

#include "platform/FixedRecord.h"
#include "platform/Utf8.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace pyrostat {
namespace {

// A ports entry is kept up to and including its first ":" (for instance a
// driver name, a comma and a port such as "ipp:").
std::string CutAfterColon(const std::string& text) {
    const size_t colon = text.find(':');
    return colon == std::string::npos ? text : text.substr(0, colon + 1);
}

} // namespace

std::string PrinterNameOfEntry(const std::string& entry) {
    return entry.substr(0, entry.find(','));
}

PrinterSwitching::PrinterSwitching(const ProgramState& state, SettingsStore& settings,
                                   PrinterPlatform& platform)
    : state_(state), settings_(settings), platform_(platform) {}

bool PrinterSwitching::IsVersion4() const {
    return state_.IsMajorVersion4 && state_.LaterVersionCode == 0;
}

bool PrinterSwitching::IsVersion5() const {
    return !state_.IsMajorVersion4 && state_.LaterVersionCode == -1;
}

std::string PrinterSwitching::GetDefaultPrinterName() const {
    if (IsVersion4()) {
        return ReadRegistryString(settings_, SettingsRoot::CurrentConfig, kPrintersConfigKey,
                                  "Default");
    }
    if (!IsVersion5()) {
        return {};
    }
    if (!settings_.KeyExists(SettingsRoot::CurrentUser, kWindowsKey)) {
        return {};
    }
    const std::optional<SettingsValue> device =
        settings_.Read(SettingsRoot::CurrentUser, kWindowsKey, "Device");
    if (!device || !device->isText) {
        return {};
    }
    return Utf8Left(CutAtZero(device->text), 1024);
}

bool PrinterSwitching::CachePrinterPorts() {
    const std::optional<std::vector<NamedSettingsValue>> ports =
        settings_.Values(SettingsRoot::CurrentUser, kPrinterPortsKey);
    if (!ports) {
        return false;
    }
    const std::string path = state_.InProgramFolder(kPrinterPortsFile);
    std::string bytes;
    int16_t number = 0;
    for (const NamedSettingsValue& port : *ports) {
        if (!port.value.isText || number == INT16_MAX) {
            break;
        }
        ++number;
        PrinterPortRecord record;
        record.RecordNo = number;
        record.PrinterName = TrimBlanks(Utf8Left(port.name, 255));
        record.DriverAndPort = CutAfterColon(Utf8Left(CutAtZero(port.value.text), 1024));
        bytes += record.ToBytes();
    }
    return ReplaceFileSafely(path, bytes) == FileProblem::None;
}

bool PrinterSwitching::FindPrinterPorts(const std::string& name) {
    const RecordFileContents file =
        ReadRecordFile(state_.InProgramFolder(kPrinterPortsFile), PrinterPortRecord::kLength);
    if (!file.opened) {
        return false;
    }
    const std::string wanted = TrimBlanks(name);
    // Only whole records are read; a damaged tail is left alone.
    for (const std::string& bytes : file.records) {
        PrinterPortRecord record = PrinterPortRecord::FromBytes(bytes);
        if (record.PrinterName == wanted) {
            buffer_ = std::move(record);
            return true;
        }
    }
    return false;
}

bool PrinterSwitching::WriteDeviceSetting() {
    return settings_.Write(SettingsRoot::CurrentUser, kWindowsKey, "Device",
                           TrimBlanks(buffer_.PrinterName) + "," +
                               TrimBlanks(buffer_.DriverAndPort));
}

void PrinterSwitching::MakeDefaultPrinter(const std::string& name) {
    if (IsVersion4()) {
        SetDefaultPrinterAttribute(name);
        return;
    }
    if (!IsVersion5() || TrimBlanks(name).empty()) {
        return;
    }
    // Writing "Device" from a record of another printer would make that one
    // the default, so nothing is written unless the printer itself is found.
    if (!FindPrinterPorts(name)) {
        CachePrinterPorts();
        if (!FindPrinterPorts(name)) {
            return;
        }
    }
    WriteDeviceSetting();
}

bool PrinterSwitching::SetDefaultPrinterAttribute(const std::string& name) {
    for (const PrinterDestination& printer : platform_.Destinations()) {
        if (printer.name == name) {
            return platform_.SetUserDefault(name);
        }
    }
    return false;
}

void PrinterSwitching::RestoreDefaultPrinter() {
    MakeDefaultPrinter(state_.SavedDefaultPrinter);
}

} // namespace pyrostat
