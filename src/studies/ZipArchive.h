#pragma once

#include "platform/FileAccess.h"

#include <optional>
#include <string>

struct zip;

namespace pyrostat {

// A zip archive opened for reading its members whole (libzip): the container
// of .xlsx and .ods files.
// What a table file that is no zip archive is told as.
inline constexpr const char* kNotAWorkbook =
    "δεν είναι βιβλίο εργασίας (δεν είναι συμπιεσμένο αρχείο zip ή είναι κατεστραμμένο)";

// What a member too large for a property table is told as.
inline constexpr const char* kMemberTooLarge =
    "το βιβλίο εργασίας είναι μεγαλύτερο απ' όσο διαβάζεται για πίνακα Ιδιοκτησιών (έως 4 MB "
    "ασυμπίεστου κειμένου ανά φύλλο)";

class ZipArchive {
public:
    // The largest member read: a property table's sheet is far smaller, and
    // its XML tree takes several times its size in memory.
    static constexpr size_t kMaxMember = 4u * 1024u * 1024u;

    explicit ZipArchive(const std::string& path);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Why the file could not be read (None when it was read, whatever it
    // held); a file that was read but is no zip archive, or a damaged one, is
    // not Opened().
    FileProblem Problem() const { return problem_; }
    bool Opened() const { return archive_ != nullptr; }
    // A member's bytes, or nothing when it is missing, too large or damaged.
    std::optional<std::string> Read(const std::string& member) const;
    // Whether the archive names the member (Read may still refuse it).
    bool Has(const std::string& member) const;

private:
    zip* archive_ = nullptr;
    FileProblem problem_ = FileProblem::None;
};

} // namespace pyrostat
