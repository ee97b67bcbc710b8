#pragma once

#include <string>

namespace pyrostat {

// Keeps the program to one running copy per program folder: the first copy
// holds an exclusive lock on "pyrostat.lock" in the folder for as long as it
// runs. The lock belongs to the process, so a copy that crashed leaves a file
// but no lock, and the next start takes it over.
class SingleCopyLock {
public:
    SingleCopyLock() = default;
    ~SingleCopyLock();
    SingleCopyLock(const SingleCopyLock&) = delete;
    SingleCopyLock& operator=(const SingleCopyLock&) = delete;

    // True when this copy now holds the lock (or already held it); false when
    // another copy holds it. A folder where the lock file cannot be made
    // gives true: the program still runs, only without the guard.
    bool Acquire(const std::string& programFolder);
    bool Held() const { return fd_ >= 0; }
    void Release();

private:
    int fd_ = -1;
};

inline constexpr const char* kLockFileName = "pyrostat.lock";

} // namespace pyrostat
