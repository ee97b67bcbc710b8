#pragma once

#include "program/StateParts.h"

#include <cstdint>
#include <string>

namespace pyrostat {

// The program-wide values that the windows and commands share, made of its
// parts. One object lives as long as the program (or a test) and is handed
// to whoever needs it by reference, or only the part he needs; nothing of it
// is hidden in globals.
struct ProgramState : NumberSeparators, GeneralDataFields, StudyInUse, EngineerChoice {
    // Program folder, always with one trailing separator ("/").
    std::string ProgramFolder;

    // Full path of a file in the program folder.
    std::string InProgramFolder(const std::string& name) const { return ProgramFolder + name; }
};

} // namespace pyrostat
