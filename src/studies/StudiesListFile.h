#pragma once

#include "platform/FileAccess.h"
#include "platform/FileDates.h"
#include "program/ProgramState.h"
#include "studies/StudyListEntry.h"

#include <string>
#include <vector>

namespace pyrostat {

inline constexpr const char* kStudiesListFileName = "Studies.std";

// The names of the study files (".pyx", any case) directly in `folder`, in
// the order a file list shows them: alphabetical without regard to case
// (Latin and Greek letters), then by the exact name.
std::vector<std::string> ListStudyFileNames(const std::string& folder);

// Rebuilds "Studies.std" in the program folder from nothing: one entry per
// study file of `folder` (a "/" is added when missing), numbered from 1, with
// the title of the study's first record (blank for a file shorter than one
// record) and the file's modification date and time. A file whose name or
// folder the list file cannot hold whole (too long, or letters outside the
// Greek code page) is left out: the entry could not lead back to it. Returns
// the number of entries, or -1 when the list file could not be written.
// The entries of that list, built from the folder without writing anything.
std::vector<StudyListEntry> CollectStudyEntries(const std::string& folder,
                                                const ShortDateFormatter& formatDate = {});

int MakeCurrentStudiesFile(const ProgramState& state, const std::string& folder,
                           const ShortDateFormatter& formatDate = {});

// Writes the list file with these entries, in one step; why not, when not.
FileProblem WriteStudiesList(const std::string& listPath,
                             const std::vector<StudyListEntry>& entries);

// The list file's whole entries; `partial` when a piece of an entry trails.
struct StudiesList {
    std::vector<StudyListEntry> entries;
    bool partial = false;
};
StudiesList ReadStudiesList(const std::string& path);

// A count as the pattern "##,###" writes it: digits grouped by threes with
// `group`, and nothing at all for 0.
std::string FormatStudyCount(long long count, char group);

} // namespace pyrostat
