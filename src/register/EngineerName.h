#pragma once

#include "program/StateParts.h"

#include <string>

namespace pyrostat {

// The line printed where no default engineer text is installed.
inline constexpr const char* kEngineerBanner = "Pyrostat — Κατανομή Δαπανών Κεντρικής Θέρμανσης";

// The installation's default engineer text: the first line of "Engineer.txt"
// (Windows-1253) in the program folder, trimmed, without surrounding quotes.
// Empty when the file is missing or its first line is blank.
std::string ReadDefaultEngineerText(const std::string& programFolder);

// Sets CurrentEngineer: the engineer chosen in the register window during
// this run when there is one; otherwise the default engineer text (read from
// "Engineer.txt" of the program folder when not yet loaded), or the banner
// when none is installed.
void ResolveCurrentEngineer(EngineerChoice& state, const std::string& programFolder);

} // namespace pyrostat
