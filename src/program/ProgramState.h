#pragma once

#include "program/StateParts.h"

#include <cstdint>
#include <string>

namespace pyrostat {

// The program-wide values that the windows and commands share, made of its
// parts. One object lives as long as the program (or a test) and is handed
// to whoever needs it by reference, or only the part he needs; nothing of it
// is hidden in globals.
struct ProgramState : NumberSeparators,
                      GeneralDataFields,
                      StudyInUse,
                      EngineerChoice,
                      PrinterSession {
    // Program folder, always with one trailing separator ("/").
    std::string ProgramFolder;

    // Shared status word, for the moment only (program/StatusCodes.h): a
    // count of decimal separators, nothing to show after the distribution,
    // the general data dialog left with Esc, the printer choice cancelled.
    // Whoever acts on a value sets it back to 0.
    int16_t StatusCode = 0;

    // Full path of a file in the program folder.
    std::string InProgramFolder(const std::string& name) const { return ProgramFolder + name; }
};

} // namespace pyrostat
