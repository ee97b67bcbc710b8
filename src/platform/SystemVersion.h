#pragma once

#include <string>

namespace pyrostat {

// The running system's name: PRETTY_NAME of the os-release file, or "Linux"
// when that file or the entry is missing.
std::string WindowsVersionName(const std::string& osReleasePath = "/etc/os-release");

// The PRETTY_NAME entry of an os-release text (quotes and escapes removed);
// empty when there is none.
std::string PrettyNameOf(const std::string& osReleaseText);

} // namespace pyrostat
