#pragma once

#include "platform/FileAccess.h"

#include <string>
#include <string_view>

namespace pyrostat {

// The general data of a study (employer, project, location) as the working
// file "Thema.tmp" and a study's companion ".tpx" keep them: three lines, each
// the trimmed text in double quotes followed by CR LF, in Windows-1253.
struct GeneralData {
    std::string Employer;
    std::string Project;
    std::string Location;

    bool Complete() const; // all three non-empty after trimming
};

inline constexpr const char* kGeneralDataFileName = "Thema.tmp";

// The file's bytes for the three texts (trimmed; UTF-8 in).
std::string FormatGeneralData(const GeneralData& data);

// Reads three quoted values in order (a value ends at its closing quote; an
// unquoted value ends at a comma or a line end). Missing values come back
// empty and make the result false.
bool ParseGeneralData(std::string_view bytes, GeneralData& data);

// Control characters (tabs, line feeds, bytes below the blank) would travel
// into the export file names and the reports: general data read with them
// are refused. Empty when none holds one; otherwise the Greek text that says
// which.
std::string ControlCharacterProblem(const GeneralData& data);

// A study's companion file (or the working file) as read: the problem that
// kept it from being read (Missing: there is none, and the data stay empty),
// its bytes and the data in them, and the refusal of data that hold control
// characters (they are then not to be used).
struct GeneralDataRead {
    FileProblem problem = FileProblem::None;
    std::string bytes;
    GeneralData data;
    std::string refusal;
    bool Usable() const { return problem == FileProblem::None && refusal.empty(); }
};
GeneralDataRead ReadGeneralDataFile(const std::string& path);

// Whether a text can stand in the file: no double quote, storable in the code page.
bool IsGeneralDataText(std::string_view utf8);

} // namespace pyrostat
