#pragma once

#include "platform/FileAccess.h"

#include <optional>
#include <string>

struct zip;

namespace pyrostat {

// A zip archive opened for reading its members whole (libzip): the container
// of .xlsx and .ods files.
class ZipArchive {
public:
    // The largest member read: a property table's sheet is far smaller.
    static constexpr size_t kMaxMember = 64u * 1024u * 1024u;

    explicit ZipArchive(const std::string& path);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // None when the archive is open; otherwise why not (ReadError: the file
    // is there but is not a zip archive).
    FileProblem Problem() const { return problem_; }
    // A member's bytes, or nothing when it is missing, too large or damaged.
    std::optional<std::string> Read(const std::string& member) const;

private:
    zip* archive_ = nullptr;
    FileProblem problem_ = FileProblem::None;
};

} // namespace pyrostat
