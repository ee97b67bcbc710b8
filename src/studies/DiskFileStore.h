#pragma once

#include "studies/FileStore.h"

namespace pyrostat {

// FileStore on the real disk (POSIX write, fsync and rename).
class DiskFileStore : public FileStore {
public:
    bool WriteDurably(const std::string& path, const std::string& bytes) override;
    bool Rename(const std::string& from, const std::string& to) override;
    void Remove(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    void SyncFolder(const std::string& path) override;
};

} // namespace pyrostat
