#pragma once

#include "platform/FileAccess.h"
#include "register/ClientRecord.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace pyrostat {

struct ProgramState;

// What reading the register found.
struct RegisterContents {
    enum class Status {
        Missing,    // no such file
        Unreadable, // the file is there but cannot be opened
        Ok,
        Damaged, // no whole record, or a partial record trails the whole ones
    };
    Status status = Status::Missing;
    std::vector<std::string> names; // in record order, trimmed
    std::string password;           // of record 1, trimmed; empty: not protected
    size_t wholeRecords = 0;
    bool partialRecord = false;              // bytes past the last whole record
    FileProblem problem = FileProblem::None; // why it is missing or unreadable
};

// The engineer register file, read and written record by record. Every reader
// counts only whole 100-byte records and never reads past the end of the file;
// a file that cannot be written makes the writer return false.
class RegisterFile {
public:
    static constexpr const char* kFileName = "CLIENTS.MIR";

    explicit RegisterFile(std::string path) : path_(std::move(path)) {}
    // "CLIENTS.MIR" in the program folder.
    static RegisterFile InProgramFolder(const ProgramState& state);

    const std::string& Path() const { return path_; }
    bool Exists() const;

    RegisterContents Read() const;
    // Number of whole records on disk.
    size_t WholeRecords() const;
    // Record `recordNo` (from 1), when the file holds it whole.
    std::optional<ClientRecord> ReadRecord(size_t recordNo) const;
    // The password of record 1, or empty when there is no record 1.
    std::string ReadPassword() const;

    // Writes a new record numbered count + 1 after the last whole record (a
    // partial record trailing them is overwritten and dropped).
    bool Append(const std::string& name, const std::string& password) const;
    // Rewrites the name of record `recordNo`, leaving its number and password
    // bytes as they are. False when the record is not in the file.
    bool Correct(size_t recordNo, const std::string& name) const;
    // Replaces the file by records 1..N holding `names` in order, each with
    // `password`.
    bool WriteAll(const std::vector<std::string>& names, const std::string& password) const;
    // Replaces the password of every whole record; the names stay untouched.
    bool ChangePassword(const std::string& password) const;

private:
    // The whole file, or nothing when it cannot be opened.
    std::optional<std::string> Load() const;
    bool Store(const std::string& bytes) const;

    std::string path_;
};

} // namespace pyrostat
