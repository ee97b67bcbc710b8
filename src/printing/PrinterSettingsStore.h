#pragma once

#include "platform/SettingsStore.h"
#include "printing/PrinterPlatform.h"

namespace pyrostat {

// The settings the printer routines read and write, answered from the
// printing system:
// - "Device" under the current user's Windows key: the user's default printer
//   as name, driver (make and model) and port (device URI), joined by commas;
//   writing it makes the printer named before the first comma the default;
// - the current user's PrinterPorts key: one value per printer, named after
//   it, holding its make and model, a comma and its device URI.
// No other key exists.
class PrinterSettingsStore : public SettingsStore {
public:
    explicit PrinterSettingsStore(PrinterPlatform& platform) : platform_(platform) {}

    bool KeyExists(SettingsRoot root, const std::string& keyPath) const override;
    std::optional<SettingsValue> Read(SettingsRoot root, const std::string& keyPath,
                                      const std::string& valueName) const override;
    std::optional<std::vector<NamedSettingsValue>>
    Values(SettingsRoot root, const std::string& keyPath) const override;
    bool Write(SettingsRoot root, const std::string& keyPath, const std::string& valueName,
               const std::string& text) override;

private:
    PrinterPlatform& platform_;
};

} // namespace pyrostat
