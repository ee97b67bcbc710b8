#pragma once

#include <cstddef>
#include <string>

namespace pyrostat {

// The record of installed programs, "MirtProgs.log": fixed 250-byte records,
// numbered from 1, Windows-1253 text padded with blanks.
inline constexpr size_t kInstalledProgramRecordLength = 250;
inline constexpr size_t kProgramNameOffset = 0;
inline constexpr size_t kProgramNameWidth = 30;
inline constexpr size_t kProgramFolderOffset = 30;
inline constexpr size_t kProgramFolderWidth = 200;
inline constexpr size_t kProgramFileOffset = 230;
inline constexpr size_t kProgramFileWidth = 20;
inline constexpr const char* kInstalledProgramsFileName = "MirtProgs.log";

// Records the program in the file at `logPath` (created when missing): the
// first record whose trimmed name equals `programName` is rewritten in place
// with the folder (with a trailing separator) and the program file; when none
// matches, a record is added after the last whole one. A partial record left
// at the end by an interrupted write is overwritten. Returns false when the
// file cannot be opened or written.
bool RecordProgramInstallation(const std::string& logPath, const std::string& programName,
                               const std::string& programFolder, const std::string& programFile);

} // namespace pyrostat
