#pragma once

#include <cstdint>
#include <string>

namespace pyrostat {

// The program-wide values that the windows and commands share. One object lives
// as long as the program (or a test) and is handed to whoever needs it by
// reference; nothing of it is hidden in globals.
struct ProgramState {
    // Program folder, always with one trailing separator ("/").
    std::string ProgramFolder;

    // Shared status word: 2 or more (decimal separators counted by
    // TextToNumber), -1 (nothing to show after the distribution), -7 (general
    // data dialog left with Esc), 327 (printer choice cancelled). Whoever acts
    // on a value sets it back to 0.
    int16_t StatusCode = 0;

    std::string StudyTitle; // trimmed title box text
    int MessageRow = 0;     // row named by message -3

    float DefaultHeight = 3.0f; // automatic mean height
    int DecimalSeparatorCode = '.';
    int ThousandsSeparatorCode = ',';

    // General data of the study (kept in "Thema.tmp").
    std::string Employer;
    std::string Project;
    std::string Location;

    std::string CurrentStudyFile;

    // Engineer register.
    std::string CurrentEngineer;
    std::string ChosenEngineer;
    std::string DefaultEngineerText;
    std::string TypedPassword;
    bool NewPasswordMode = false;

    // System version flags and printer switching.
    bool IsMajorVersion4 = false;
    int16_t LaterVersionCode = -1;
    std::string SavedDefaultPrinter;
    bool DefaultPrinterChanged = false;

    char DecimalSeparator() const { return static_cast<char>(DecimalSeparatorCode); }
    char ThousandsSeparator() const { return static_cast<char>(ThousandsSeparatorCode); }
    // Full path of a file in the program folder.
    std::string InProgramFolder(const std::string& name) const { return ProgramFolder + name; }
};

} // namespace pyrostat
