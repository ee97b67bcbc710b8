#pragma once

#include <cstdint>
#include <string>

namespace pyrostat {

// The parts of the program-wide state, one concern each. A routine takes the
// part it works with (const where it only reads it); the state is all of them.

// The separators the cells and the formula lines use.
struct NumberSeparators {
    int DecimalSeparatorCode = '.';
    int ThousandsSeparatorCode = ',';

    char DecimalSeparator() const { return static_cast<char>(DecimalSeparatorCode); }
    char ThousandsSeparator() const { return static_cast<char>(ThousandsSeparatorCode); }
};

// The general data of the study (kept in "Thema.tmp" and the study's ".tpx").
struct GeneralDataFields {
    std::string Employer;
    std::string Project;
    std::string Location;
};

// The study in the window and what the last check named of it.
struct StudyInUse {
    std::string StudyTitle; // trimmed title box text
    std::string CurrentStudyFile;
    float DefaultHeight = 3.0f; // automatic mean height
};

// The engineer the reports carry and the register's password dialog.
struct EngineerChoice {
    std::string CurrentEngineer;
    std::string ChosenEngineer;
    std::string DefaultEngineerText;
};

} // namespace pyrostat
