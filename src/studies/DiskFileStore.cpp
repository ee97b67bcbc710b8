#include "studies/DiskFileStore.h"

#include "platform/FileAccess.h"

#include <cstdio>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

namespace pyrostat {

bool DiskFileStore::WriteDurably(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    const bool ok = WriteAllDurably(fd, bytes);
    return ::close(fd) == 0 && ok;
}

bool DiskFileStore::Rename(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

void DiskFileStore::Remove(const std::string& path) {
    RemoveFileOnly(path);
}

bool DiskFileStore::CreateFolder(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return std::filesystem::is_directory(path, ec);
}

void DiskFileStore::SyncFolder(const std::string& path) {
    pyrostat::SyncFolder(path);
}

} // namespace pyrostat
