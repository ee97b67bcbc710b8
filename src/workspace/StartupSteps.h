#pragma once

#include "platform/MessageService.h"
#include "platform/SingleCopyLock.h"
#include "program/ProgramState.h"

#include <string>
#include <string_view>

namespace pyrostat {

// The main window's start-up and close-down steps that need no window.

inline constexpr const char* kAlreadyRunningTitle = "Π Ρ Ο Σ Ο Χ Η";
inline constexpr const char* kAlreadyRunningText =
    "Το πρόγραμμα < Pyrostat > τρέχει ήδη, και δεν μπορείτε να το τρέξετε σε πολλαπλά "
    "παράθυρα!";

// Step 1: takes the single-copy lock of the program folder. When another copy
// holds it, shows the critical box and returns false: this copy must end.
bool ClaimSingleCopy(SingleCopyLock& lock, const ProgramState& state, MessageService& messages);

// Deletes every file of the program folder whose name equals `name` without
// regard to case ("THEMA.TMP" and "Thema.tmp" are one file to the program).
// Missing files and errors are ignored.
void DeleteWorkingFile(const ProgramState& state, std::string_view name);

// Step 2: the result file and the general-data file of an earlier run.
void RemoveWorkingFilesAtStart(const ProgramState& state);
// Step 11, and Unload: the result file, the general-data file and the work
// file of the input-data report.
void RemoveAllWorkingFiles(const ProgramState& state);

// Step 7: the separator codes from 2500 formatted with "#,##0.0" in the
// user's locale (UTF-8): its 2nd character is the grouping separator and its
// 6th the decimal separator. A locale whose separators are not plain ASCII
// (a narrow no-break space, for instance) cannot be typed into the number
// cells as one byte; then the grouping falls back to none (a blank) and the
// decimal separator to the point, the other kept when it is ASCII. A locale
// that does not group four digits ("2500,0") gives its decimal separator and
// a blank for the grouping. A text with no separator at all leaves the codes
// as they are and returns false.
bool SetSeparatorCodes(NumberSeparators& state, std::string_view formatted2500);

} // namespace pyrostat
