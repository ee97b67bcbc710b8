#include "platform/FileChecks.h"

#include "platform/Utf8.h"

#include <cstdio>
#include <ctime>
#include <sys/stat.h>

namespace pyrostat {

bool FileExists(const std::string& path) {
    return GetFileInfo(path).exists;
}

FileInfo GetFileInfo(const std::string& path) {
    FileInfo info;
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return info;
    }
    info.exists = true;
    info.size = static_cast<uint64_t>(st.st_size);
    return info;
}

bool FolderExists(const std::string& path) {
    if (path.empty() || path == "." || path == ".." || path == "\\" || path == "/") {
        return false;
    }
    std::string folder = path;
    if (folder.back() != '/' && folder.back() != '\\') {
        folder.push_back('/');
    }
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace pyrostat
