#include "studies/ZipArchive.h"

#include <zip.h>

namespace pyrostat {

ZipArchive::ZipArchive(const std::string& path) {
    // Never handed to libzip unless it is a regular file: a FIFO would hold it.
    problem_ = ExamineFile(path);
    if (problem_ != FileProblem::None) {
        return;
    }
    int error = 0;
    archive_ = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (archive_ == nullptr && (error == ZIP_ER_READ || error == ZIP_ER_OPEN ||
                                error == ZIP_ER_SEEK || error == ZIP_ER_MEMORY)) {
        problem_ = FileProblem::ReadError;
    }
    // Otherwise a file that could be read but is no zip archive, or a
    // damaged one: Opened() says so.
}

ZipArchive::~ZipArchive() {
    if (archive_ != nullptr) {
        zip_discard(archive_);
    }
}

bool ZipArchive::Has(const std::string& member) const {
    return archive_ != nullptr && zip_name_locate(archive_, member.c_str(), 0) >= 0;
}

std::optional<std::string> ZipArchive::Read(const std::string& member) const {
    if (archive_ == nullptr) {
        return std::nullopt;
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive_, member.c_str(), 0, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0 ||
        stat.size > kMaxMember) {
        return std::nullopt;
    }
    zip_file_t* file = zip_fopen(archive_, member.c_str(), 0);
    if (file == nullptr) {
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(stat.size), '\0');
    zip_uint64_t done = 0;
    while (done < stat.size) {
        const zip_int64_t n = zip_fread(file, bytes.data() + done, stat.size - done);
        if (n <= 0) {
            break;
        }
        done += static_cast<zip_uint64_t>(n);
    }
    zip_fclose(file);
    if (done != stat.size) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace pyrostat
