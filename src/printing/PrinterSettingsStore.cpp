#include "printing/PrinterSettingsStore.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <cctype>

namespace pyrostat {
namespace {

// Key and value names compare without regard to case, as in the registry.
bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

bool IsWindowsKey(SettingsRoot root, const std::string& keyPath) {
    return root == SettingsRoot::CurrentUser && SameName(keyPath, kWindowsKey);
}

bool IsPortsKey(SettingsRoot root, const std::string& keyPath) {
    return root == SettingsRoot::CurrentUser && SameName(keyPath, kPrinterPortsKey);
}

} // namespace

bool PrinterSettingsStore::KeyExists(SettingsRoot root, const std::string& keyPath) const {
    return IsWindowsKey(root, keyPath) || IsPortsKey(root, keyPath);
}

std::optional<SettingsValue> PrinterSettingsStore::Read(SettingsRoot root,
                                                        const std::string& keyPath,
                                                        const std::string& valueName) const {
    if (IsWindowsKey(root, keyPath) && SameName(valueName, "Device")) {
        const std::string name = platform_.UserDefault();
        if (name.empty()) {
            return std::nullopt;
        }
        for (const PrinterDestination& printer : platform_.Destinations()) {
            if (printer.name == name) {
                return SettingsValue{true,
                                     name + "," + printer.makeAndModel + "," + printer.deviceUri};
            }
        }
        return SettingsValue{true, name + ",,"};
    }
    if (IsPortsKey(root, keyPath)) {
        for (const PrinterDestination& printer : platform_.Destinations()) {
            if (SameName(printer.name, valueName)) {
                return SettingsValue{true, printer.makeAndModel + "," + printer.deviceUri};
            }
        }
    }
    return std::nullopt;
}

std::optional<std::vector<NamedSettingsValue>>
PrinterSettingsStore::Values(SettingsRoot root, const std::string& keyPath) const {
    if (!IsPortsKey(root, keyPath)) {
        return std::nullopt;
    }
    std::vector<NamedSettingsValue> values;
    for (const PrinterDestination& printer : platform_.Destinations()) {
        values.push_back({printer.name, {true, printer.makeAndModel + "," + printer.deviceUri}});
    }
    return values;
}

bool PrinterSettingsStore::Write(SettingsRoot root, const std::string& keyPath,
                                 const std::string& valueName, const std::string& text) {
    if (!IsWindowsKey(root, keyPath) || !SameName(valueName, "Device")) {
        return false;
    }
    const std::string name = TrimBlanks(text.substr(0, text.find(',')));
    if (name.empty()) {
        return false;
    }
    return platform_.SetUserDefault(name);
}

} // namespace pyrostat
