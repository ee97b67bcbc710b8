#pragma once

#include "program/ProgramState.h"

#include <string>
#include <string_view>
#include <vector>

namespace pyrostat {

// What the results window shows and keeps: the list, the archive copy under
// the study title, and the export for the common-expenses program.

inline constexpr const char* kArchiveFolder = "PYXFiles/FLEFiles/";

// A text made fit for a file name: "@", "&", "*", "|", "\", ":", "?", "/" and
// "." become "_", a double quote two apostrophes, "<" and ">" one apostrophe.
std::string MapForFileName(std::string_view text);

// The title box text trimmed (stored as StudyTitle) and mapped for a file name.
std::string FilterThema(StudyInUse& study, std::string_view titleText);

// The list of the results window from the formula file's lines: the "=" line
// before the heading, the "=" and blank lines after the general formula, a
// "-" line after each property.
std::vector<std::string> BuildResultsList(const std::vector<std::string>& lines);

// Copies "~mirttype.txt" to "~mirttype_" + FT + ".fle" in the archive folder
// (created when missing) and writes "TYPES_" + FT + ".FIL" beside it from the
// lines' factors, FT being the title box text as FilterThema makes it. False
// when a file cannot be written.
bool ArchiveResults(const ProgramState& state, std::string_view titleText);

// Whether employer, project and location are all filled in.
bool GeneralDataComplete(const GeneralDataFields& general);

// The export name: the three general-data texts trimmed, joined by ", " and
// trimmed, as they are: only "/" and the NUL byte, which a file name cannot
// hold, become "_".
std::string GeneralDataName(const GeneralDataFields& general);

// The export for the common-expenses program into the program folder:
// "~imirttype_" + G + ".fle" (a copy of "~mirttype.txt") and "TYPES_" + G +
// ".FIL" read at the fixed places. Writes nothing and returns false when the
// general data are incomplete or the formula file is missing; false too when
// a file cannot be written; a name longer than a file name may be is refused
// before anything is written.
struct ExportResult {
    bool written = false;
    std::string problem;         // Greek, when not written
    std::string copyPath;        // "~imirttype_<G>.fle"
    std::string coefficientPath; // "TYPES_<G>.FIL"
    explicit operator bool() const { return written; }
};
ExportResult ExportForCommonExpenses(const ProgramState& state);

} // namespace pyrostat
