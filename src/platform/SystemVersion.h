#pragma once

#include "program/StateParts.h"

#include <string>

namespace pyrostat {

struct SystemVersionNumbers {
    std::string major;
    std::string minor;
};

// Reads the running system's version (the kernel release here) into
// `version`. On Linux the printer methods are those of the per-user default
// printer family, so IsMajorVersion4 becomes false and LaterVersionCode -1.
// Returns false when the system gives no version information; the caller then
// shows "Error Getting Version Information" and ends the program.
bool DetectWindowsVersion(PrinterSession& state, SystemVersionNumbers& version);

// The message shown when DetectWindowsVersion fails.
inline constexpr const char* kVersionErrorText = "Error Getting Version Information";

// The running system's name: PRETTY_NAME of the os-release file, or "Linux"
// when that file or the entry is missing.
std::string WindowsVersionName(const std::string& osReleasePath = "/etc/os-release");

// The PRETTY_NAME entry of an os-release text (quotes and escapes removed);
// empty when there is none.
std::string PrettyNameOf(const std::string& osReleaseText);

} // namespace pyrostat
