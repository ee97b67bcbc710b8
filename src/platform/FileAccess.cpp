#include "platform/FileAccess.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pyrostat {

namespace {

// Links followed before the chain counts as a loop (the kernel's own limit).
constexpr int kMaxLinkHops = 40;
// The longest name one folder entry may have.
constexpr std::size_t kMaxNameBytes = 255;

FileProblem ProblemOfErrno(int error, FileProblem otherwise) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return FileProblem::Missing;
    case EACCES:
    case EPERM:
        return FileProblem::NoPermission;
    case EROFS:
        return FileProblem::ReadOnly;
    case ELOOP:
        return FileProblem::LinkLoop;
    case ENAMETOOLONG:
        return FileProblem::NameTooLong;
    case EISDIR:
        return FileProblem::Folder;
    case ENXIO:
    case ENODEV:
        return FileProblem::NotRegular;
    default:
        return otherwise;
    }
}

FileProblem KindOf(const struct stat& st) {
    if (S_ISDIR(st.st_mode)) {
        return FileProblem::Folder;
    }
    if (!S_ISREG(st.st_mode)) {
        return FileProblem::NotRegular;
    }
    return FileProblem::None;
}

std::string FolderPart(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NamePart(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

bool WriteAllDurably(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return ::fsync(fd) == 0;
}

void SyncFolder(const std::string& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

FileProblem ReadRegularFile(const std::string& path, std::string& bytes, std::size_t limit) {
    bytes.clear();
    if (path.empty()) {
        return FileProblem::Missing;
    }
    // Non-blocking, so that a FIFO without a writer cannot hold the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return ProblemOfErrno(errno, FileProblem::ReadError);
    }
    struct stat st {};
    FileProblem problem = FileProblem::None;
    if (::fstat(fd, &st) != 0) {
        problem = FileProblem::ReadError;
    } else {
        problem = KindOf(st);
    }
    if (problem == FileProblem::None && static_cast<std::size_t>(st.st_size) > limit) {
        problem = FileProblem::TooLarge;
    }
    if (problem == FileProblem::None) {
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags >= 0) {
            ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
        }
        bytes.reserve(static_cast<std::size_t>(st.st_size));
        std::vector<char> chunk(64 * 1024);
        for (;;) {
            const ssize_t n = ::read(fd, chunk.data(), chunk.size());
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                problem = ProblemOfErrno(errno, FileProblem::ReadError);
                break;
            }
            if (n == 0) {
                break;
            }
            // A file that grows while it is read is held to the same limit.
            if (bytes.size() + static_cast<std::size_t>(n) > limit) {
                problem = FileProblem::TooLarge;
                break;
            }
            bytes.append(chunk.data(), static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    if (problem != FileProblem::None) {
        bytes.clear();
    }
    return problem;
}

FileProblem ExamineFile(const std::string& path) {
    if (path.empty()) {
        return FileProblem::Missing;
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return ProblemOfErrno(errno, FileProblem::ReadError);
    }
    const FileProblem kind = KindOf(st);
    if (kind != FileProblem::None) {
        return kind;
    }
    return ::access(path.c_str(), R_OK) == 0 ? FileProblem::None : FileProblem::NoPermission;
}

std::string WriteTargetOf(const std::string& path, FileProblem& problem) {
    problem = FileProblem::None;
    std::string current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0) {
            const int error = errno;
            if (error == ENOENT) {
                return current; // a new file
            }
            if (error == ENOTDIR) {
                problem = FileProblem::NoFolder; // a file stands in the folder's path
                return current;
            }
            problem = ProblemOfErrno(error, FileProblem::WriteError);
            return current;
        }
        if (!S_ISLNK(st.st_mode)) {
            problem = KindOf(st);
            return current;
        }
        std::vector<char> link(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
        if (n < 0) {
            problem = ProblemOfErrno(errno, FileProblem::WriteError);
            return current;
        }
        std::string target(link.data(), static_cast<size_t>(n));
        if (!target.empty() && target[0] != '/') {
            target = FolderPart(current) + target;
        }
        current = target;
    }
    problem = FileProblem::LinkLoop;
    return current;
}

FileProblem ReplaceableProblem(const std::string& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        // A new file, if the folder it goes in is there.
        if (errno == ENOTDIR) {
            return FileProblem::NoFolder; // a file stands in the folder's path
        }
        const std::string folder = FolderPart(target);
        struct stat in {};
        if (::stat(folder.empty() ? "." : folder.c_str(), &in) != 0) {
            return errno == ENOENT || errno == ENOTDIR ? FileProblem::NoFolder
                                                       : ProblemOfErrno(errno, FileProblem::None);
        }
        if (!S_ISDIR(in.st_mode)) {
            return FileProblem::NoFolder;
        }
        return FileProblem::None;
    }
    const FileProblem kind = KindOf(st);
    if (kind != FileProblem::None) {
        return kind;
    }
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return FileProblem::ReadOnly;
    }
    if (::access(target.c_str(), W_OK) != 0) {
        return errno == EROFS ? FileProblem::ReadOnly : FileProblem::NoPermission;
    }
    return FileProblem::None;
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    if (::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0) {
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    }
    std::error_code error;
    const std::filesystem::path left = std::filesystem::weakly_canonical(a, error);
    if (error) {
        return a == b;
    }
    const std::filesystem::path right = std::filesystem::weakly_canonical(b, error);
    return error ? a == b : left == right;
}

FileProblem WriteProblem(const std::string& path) {
    FileProblem problem = FileProblem::None;
    const std::string target = WriteTargetOf(path, problem);
    return problem != FileProblem::None ? problem : ReplaceableProblem(target);
}

FileProblem ReplaceFileSafely(const std::string& path, const std::string& bytes) {
    if (path.empty()) {
        return FileProblem::Missing;
    }
    FileProblem problem = FileProblem::None;
    const std::string target = WriteTargetOf(path, problem);
    if (problem != FileProblem::None) {
        return problem;
    }
    if (NamePart(target).size() > kMaxNameBytes) {
        return FileProblem::NameTooLong;
    }
    problem = ReplaceableProblem(target);
    if (problem != FileProblem::None) {
        return problem;
    }
    mode_t mode = 0666;
    bool keepMode = false;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
        keepMode = true;
    }
    std::string temp = FolderPart(target) + ".pyrostat-XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        return ProblemOfErrno(errno, FileProblem::WriteError);
    }
    temp.assign(name.data());
    if (!keepMode) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    bool ok = WriteAllDurably(fd, bytes);
    if (::close(fd) != 0) {
        ok = false;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return FileProblem::WriteError;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return ProblemOfErrno(error, FileProblem::WriteError);
    }
    SyncFolder(FolderPart(target));
    return FileProblem::None;
}

bool RemoveFileOnly(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
        return false;
    }
    return ::unlink(path.c_str()) == 0;
}

std::string DescribeFileProblem(FileProblem problem) {
    switch (problem) {
    case FileProblem::None:
        return "είναι σε τάξη";
    case FileProblem::Missing:
        return "δεν υπάρχει";
    case FileProblem::Folder:
        return "είναι φάκελος και όχι αρχείο";
    case FileProblem::NotRegular:
        return "δεν είναι κανονικό αρχείο (είναι σωλήνωση, συσκευή ή υποδοχή)";
    case FileProblem::NoPermission:
        return "δεν επιτρέπεται να διαβαστεί ή να γραφτεί (δικαιώματα πρόσβασης)";
    case FileProblem::LinkLoop:
        return "είναι σύνδεσμος που οδηγεί σε κύκλο συνδέσμων";
    case FileProblem::TooLarge:
        return "είναι υπερβολικά μεγάλο για αρχείο του προγράμματος";
    case FileProblem::ReadOnly:
        return "είναι μόνο για ανάγνωση";
    case FileProblem::NameTooLong:
        return "έχει όνομα μεγαλύτερο από όσο δέχεται το σύστημα αρχείων (255 bytes)";
    case FileProblem::ReadError:
        return "δεν διαβάστηκε (σφάλμα του μέσου αποθήκευσης)";
    case FileProblem::WriteError:
        return "δεν γράφτηκε (δεν υπάρχει χώρος ή σφάλμα του μέσου αποθήκευσης)";
    case FileProblem::NoFolder:
        return "δεν μπορεί να γραφτεί: ο φάκελός του δεν υπάρχει";
    }
    return {};
}

std::string FileProblemMessage(const std::string& path, FileProblem problem) {
    return "Το αρχείο «" + path + "» " + DescribeFileProblem(problem) + ".";
}

} // namespace pyrostat
