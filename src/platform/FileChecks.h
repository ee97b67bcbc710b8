#pragma once

#include <cstdint>
#include <string>

namespace pyrostat {

// File and folder tests that report absence instead of failing: a bad path,
// a missing file or an unreadable medium all give "not there".

// True when the path names an existing regular file.
bool FileExists(const std::string& path);

struct FileInfo {
    bool exists = false;
    uint64_t size = 0;
};
// Whether the regular file exists and, when it does, its length in bytes.
FileInfo GetFileInfo(const std::string& path);

// False for an empty path, ".", ".." and a lone separator; otherwise true when
// the path (with a separator appended when missing) is a folder.
bool FolderExists(const std::string& path);

} // namespace pyrostat
