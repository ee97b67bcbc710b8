#include "platform/FolderLock.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <time.h>
#include <unistd.h>

namespace pyrostat {

FolderLock::FolderLock(const std::string& folder, int waitMilliseconds) {
    fd_ = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) {
        return;
    }
    // Never blocks for good: a program that hangs holding it is waited for
    // a while, not forever.
    const timespec pause{0, 5 * 1000 * 1000};
    for (int waited = 0; waited <= waitMilliseconds; waited += 5) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            held_ = true;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return;
        }
        ::nanosleep(&pause, nullptr);
    }
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) {
        ::close(fd_); // closing the folder lets the lock go
    }
}

} // namespace pyrostat
