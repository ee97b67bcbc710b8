#include "platform/InstalledPrograms.h"

#include "platform/FixedRecord.h"
#include "platform/PathRoutines.h"
#include "platform/Utf8.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pyrostat {

namespace {

class FileHandle {
public:
    explicit FileHandle(int fd) : fd_(fd) {}
    ~FileHandle() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

bool ReadExactly(int fd, std::string& buffer, off_t offset) {
    size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t n = ::pread(fd, buffer.data() + done, buffer.size() - done,
                                  offset + static_cast<off_t>(done));
        if (n <= 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool WriteExactly(int fd, const std::string& bytes, off_t offset) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done,
                                   offset + static_cast<off_t>(done));
        if (n <= 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

bool RecordProgramInstallation(const std::string& logPath, const std::string& programName,
                               const std::string& programFolder, const std::string& programFile) {
    FileHandle file(::open(logPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (file.Get() < 0) {
        return false;
    }
    struct stat st {};
    if (::fstat(file.Get(), &st) != 0) {
        return false;
    }
    const RecordCount count =
        CountRecords(static_cast<uint64_t>(st.st_size), kInstalledProgramRecordLength);

    FixedRecord record(kInstalledProgramRecordLength);
    record.PutText(kProgramNameOffset, kProgramNameWidth, programName);
    record.PutText(kProgramFolderOffset, kProgramFolderWidth, AddBackslash(programFolder));
    record.PutText(kProgramFileOffset, kProgramFileWidth, programFile);

    const std::string wanted = TrimBlanks(programName);
    std::string buffer(kInstalledProgramRecordLength, ' ');
    for (size_t index = 0; index < count.whole; ++index) {
        const off_t offset = static_cast<off_t>(index * kInstalledProgramRecordLength);
        if (!ReadExactly(file.Get(), buffer, offset)) {
            return false;
        }
        const FixedRecord existing = FixedRecord::FromBytes(buffer);
        if (existing.GetText(kProgramNameOffset, kProgramNameWidth) == wanted) {
            return WriteExactly(file.Get(), record.Bytes(), offset);
        }
    }
    const off_t end = static_cast<off_t>(count.whole * kInstalledProgramRecordLength);
    if (!WriteExactly(file.Get(), record.Bytes(), end)) {
        return false;
    }
    // A partial record that followed the last whole one is now part of the new
    // record or cut off, so the file holds whole records only.
    return ::ftruncate(file.Get(), end + static_cast<off_t>(kInstalledProgramRecordLength)) == 0;
}

} // namespace pyrostat
