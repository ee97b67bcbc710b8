#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pyrostat {

// The places the printer routines keep their settings in, named like the keys
// of the system they were first written for: a root, a key path with "\"
// between its parts, and named values under the key.
enum class SettingsRoot { CurrentConfig, CurrentUser };

struct SettingsValue {
    bool isText = true; // a value that is not a text reads as "--Not String--"
    std::string text;   // UTF-8
};

struct NamedSettingsValue {
    std::string name;
    SettingsValue value;
};

// A small registry-like store. Only the keys the printer routines read exist;
// the Linux implementation answers them from the printing system.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual bool KeyExists(SettingsRoot root, const std::string& keyPath) const = 0;
    // The value, or nothing when the key or the value does not exist.
    virtual std::optional<SettingsValue> Read(SettingsRoot root, const std::string& keyPath,
                                              const std::string& valueName) const = 0;
    // The values of a key in their order, or nothing when the key cannot be opened.
    virtual std::optional<std::vector<NamedSettingsValue>>
    Values(SettingsRoot root, const std::string& keyPath) const = 0;
    // Writes a text value; false when the store refuses it.
    virtual bool Write(SettingsRoot root, const std::string& keyPath, const std::string& valueName,
                       const std::string& text) = 0;
};

// The text of a value, read as into a 256-character buffer: up to the first
// zero character and at most 255 characters. Empty when the key or the value
// is missing; "--Not String--" when the value is not a text.
std::string ReadRegistryString(const SettingsStore& store, SettingsRoot root,
                               const std::string& keyPath, const std::string& valueName);

inline constexpr const char* kNotStringText = "--Not String--";

// The keys that the printer routines use.
inline constexpr const char* kWindowsKey =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
inline constexpr const char* kPrinterPortsKey =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\PrinterPorts";
inline constexpr const char* kPrintersConfigKey =
    "System\\CurrentControlSet\\Control\\Print\\Printers";

// Cuts a text at its first zero character.
std::string CutAtZero(const std::string& text);

} // namespace pyrostat
