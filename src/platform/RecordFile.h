#pragma once

#include "platform/FileAccess.h"

#include <string>
#include <vector>

namespace pyrostat {

// A file of fixed-length records read whole. Only whole records are kept; a
// trailing partial record is reported, never read.
struct RecordFileContents {
    bool opened = false; // false when the file could not be read
    std::vector<std::string> records;
    bool partial = false;                    // length was not a multiple of the record length
    FileProblem problem = FileProblem::None; // why it could not be read
};

RecordFileContents ReadRecordFile(const std::string& path, size_t recordLength);

// Reads a whole regular file; false when it is missing, is not a regular file
// or cannot be read (ReadRegularFile tells which).
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Replaces a file with these bytes as one step (ReplaceFileSafely); false on
// any error, the old file then left as it was.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

} // namespace pyrostat
