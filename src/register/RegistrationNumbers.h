#pragma once

#include "platform/FileAccess.h"

#include <map>
#include <string>
#include <string_view>

namespace pyrostat {

// The engineers' registration numbers at the Technical Chamber (ΑΜ ΤΕΕ),
// kept beside the register in "CLIENTS_AM.txt" of the same folder: one line
// per engineer, the name as the register holds it, a tab and the number, in
// UTF-8. The register's own 100-byte records are not touched.
class RegistrationNumbers {
public:
    static constexpr const char* kFileName = "CLIENTS_AM.txt";
    static constexpr size_t kMaxDigits = 8;

    // The file beside the register `registerPath` ("…/CLIENTS.MIR").
    static std::string PathBeside(const std::string& registerPath);

    // Reads the file; a missing file holds no numbers. A line that is not a
    // name and a number is passed over (and counted).
    static RegistrationNumbers Read(const std::string& path);
    FileProblem Problem() const { return problem_; }
    int SkippedLines() const { return skipped_; }

    // The number of `name` (compared without the surrounding blanks), or empty.
    std::string NumberOf(std::string_view name) const;
    // Sets the number of `name`; an empty number removes it. False, with
    // nothing changed, for a number that is not 1 to 8 digits.
    bool Set(std::string_view name, std::string_view number);

    // Writes the file whole (safely: a failed write leaves the old one).
    FileProblem Write(const std::string& path) const;

    const std::map<std::string, std::string>& All() const { return numbers_; }

private:
    std::map<std::string, std::string> numbers_;
    FileProblem problem_ = FileProblem::None;
    int skipped_ = 0;
};

// 1 to 8 digits.
bool IsRegistrationNumber(std::string_view text);

// The engineer as a report's head names him: the name, with ", ΑΜ ΤΕΕ
// number" when the numbers beside the register of `programFolder` hold one.
std::string EngineerWithNumber(const std::string& programFolder, const std::string& engineer);

} // namespace pyrostat
