#pragma once

#include <string>

namespace pyrostat {

struct ProgramState;

// The line printed where no default engineer text is installed.
inline constexpr const char* kEngineerBanner = "Pyrostat — Κατανομή Δαπανών Κεντρικής Θέρμανσης";

// The installation's default engineer text: the first line of "Engineer.txt"
// (Windows-1253) in the program folder, trimmed, without surrounding quotes.
// Empty when the file is missing or its first line is blank.
std::string ReadDefaultEngineerText(const std::string& programFolder);

// Fills state.DefaultEngineerText from "Engineer.txt" (once at start-up).
void LoadDefaultEngineerText(ProgramState& state);

// Sets state.CurrentEngineer: the engineer chosen in the register window during
// this run when there is one; otherwise the default engineer text (read from
// "Engineer.txt" when not yet loaded), or the banner when none is installed.
void ResolveCurrentEngineer(ProgramState& state);

} // namespace pyrostat
