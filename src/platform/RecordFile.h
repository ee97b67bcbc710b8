#pragma once

#include <string>
#include <vector>

namespace pyrostat {

// A file of fixed-length records read whole. Only whole records are kept; a
// trailing partial record is reported, never read.
struct RecordFileContents {
    bool opened = false; // false when the file could not be read
    std::vector<std::string> records;
    bool partial = false; // length was not a multiple of the record length
};

RecordFileContents ReadRecordFile(const std::string& path, size_t recordLength);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Writes bytes to a file, replacing it; false on any error.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

} // namespace pyrostat
