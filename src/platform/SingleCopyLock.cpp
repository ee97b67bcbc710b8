#include "platform/SingleCopyLock.h"

#include "platform/PathRoutines.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace pyrostat {

SingleCopyLock::~SingleCopyLock() {
    Release();
}

bool SingleCopyLock::Acquire(const std::string& programFolder) {
    if (fd_ >= 0) {
        return true;
    }
    const std::string path = AddBackslash(programFolder) + kLockFileName;
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return error != EWOULDBLOCK;
    }
    fd_ = fd;
    return true;
}

void SingleCopyLock::Release() {
    if (fd_ >= 0) {
        ::flock(fd_, LOCK_UN);
        ::close(fd_);
        fd_ = -1;
    }
}

} // namespace pyrostat
