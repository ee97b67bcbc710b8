#pragma once

#include <string>

namespace pyrostat {

// An exclusive lock on a folder itself (flock on the folder), held while the
// object lives: programs that make or bring up to date a file in the folder
// take their turns. It leaves no file behind and touches no lock of a file
// inside. A folder that cannot be opened gives no lock and no wait: whoever
// then opens the file meets the reason.
class FolderLock {
public:
    // Waits for the lock at most `waitMilliseconds`, then goes on without it.
    FolderLock(const std::string& folder, int waitMilliseconds);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool Held() const { return held_; }

private:
    int fd_ = -1;
    bool held_ = false;
};

} // namespace pyrostat
