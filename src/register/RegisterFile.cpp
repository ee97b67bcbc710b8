#include "register/RegisterFile.h"

#include "platform/FileAccess.h"
#include "platform/FileChecks.h"
#include "platform/FixedRecord.h"
#include "program/ProgramState.h"

#include <filesystem>
#include <system_error>

namespace pyrostat {

RegisterFile RegisterFile::InProgramFolder(const ProgramState& state) {
    return RegisterFile(state.InProgramFolder(kFileName));
}

bool RegisterFile::Exists() const {
    return FileExists(path_);
}

std::optional<std::string> RegisterFile::Load() const {
    std::string bytes;
    if (ReadRegularFile(path_, bytes) != FileProblem::None) {
        return std::nullopt;
    }
    return bytes;
}

// Every change writes the whole register to a neighbour first and then puts
// it in place: a failed write never leaves half a register behind.
bool RegisterFile::Store(const std::string& bytes) const {
    return ReplaceFileSafely(path_, bytes) == FileProblem::None;
}

RegisterContents RegisterFile::Read() const {
    RegisterContents contents;
    std::string loaded;
    contents.problem = ReadRegularFile(path_, loaded);
    if (contents.problem == FileProblem::Missing) {
        return contents;
    }
    if (contents.problem != FileProblem::None) {
        contents.status = RegisterContents::Status::Unreadable;
        return contents;
    }
    const std::optional<std::string> bytes = std::move(loaded);
    const RecordCount count = CountRecords(bytes->size(), ClientRecord::kLength);
    contents.wholeRecords = count.whole;
    contents.partialRecord = count.partial;
    contents.status = (count.whole == 0 || count.partial) ? RegisterContents::Status::Damaged
                                                          : RegisterContents::Status::Ok;
    for (size_t i = 0; i < count.whole; ++i) {
        const ClientRecord record = ClientRecord::FromBytes(
            std::string_view(*bytes).substr(i * ClientRecord::kLength, ClientRecord::kLength));
        if (i == 0) {
            contents.password = record.Password;
        }
        contents.names.push_back(record.EngineerName);
    }
    return contents;
}

size_t RegisterFile::WholeRecords() const {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path_, ec);
    return ec ? 0 : CountRecords(size, ClientRecord::kLength).whole;
}

std::optional<ClientRecord> RegisterFile::ReadRecord(size_t recordNo) const {
    const auto bytes = Load();
    if (!bytes || recordNo == 0) {
        return std::nullopt;
    }
    const size_t whole = CountRecords(bytes->size(), ClientRecord::kLength).whole;
    if (recordNo > whole) {
        return std::nullopt;
    }
    return ClientRecord::FromBytes(std::string_view(*bytes).substr(
        (recordNo - 1) * ClientRecord::kLength, ClientRecord::kLength));
}

std::string RegisterFile::ReadPassword() const {
    const auto first = ReadRecord(1);
    return first ? first->Password : std::string();
}

bool RegisterFile::Append(const std::string& name, const std::string& password) const {
    auto bytes = Load();
    if (!bytes) {
        return false;
    }
    const size_t whole = CountRecords(bytes->size(), ClientRecord::kLength).whole;
    bytes->resize(whole * ClientRecord::kLength);
    ClientRecord record;
    record.RecordNo = static_cast<int16_t>(whole + 1);
    record.EngineerName = name;
    record.Password = password;
    bytes->append(record.ToBytes());
    return Store(*bytes);
}

bool RegisterFile::Correct(size_t recordNo, const std::string& name) const {
    auto bytes = Load();
    if (!bytes || recordNo == 0) {
        return false;
    }
    const size_t whole = CountRecords(bytes->size(), ClientRecord::kLength).whole;
    if (recordNo > whole) {
        return false;
    }
    const size_t at = (recordNo - 1) * ClientRecord::kLength + ClientRecord::kNameOffset;
    bytes->replace(at, ClientRecord::kNameWidth, ScrambleField(name, ClientRecord::kNameWidth));
    return Store(*bytes);
}

bool RegisterFile::WriteAll(const std::vector<std::string>& names,
                            const std::string& password) const {
    std::string bytes;
    bytes.reserve(names.size() * ClientRecord::kLength);
    for (size_t i = 0; i < names.size(); ++i) {
        ClientRecord record;
        record.RecordNo = static_cast<int16_t>(i + 1);
        record.EngineerName = names[i];
        record.Password = password;
        bytes.append(record.ToBytes());
    }
    return Store(bytes);
}

bool RegisterFile::ChangePassword(const std::string& password) const {
    auto bytes = Load();
    if (!bytes) {
        return false;
    }
    const size_t whole = CountRecords(bytes->size(), ClientRecord::kLength).whole;
    const std::string stored = ScrambleField(password, ClientRecord::kPasswordWidth);
    for (size_t i = 0; i < whole; ++i) {
        bytes->replace(i * ClientRecord::kLength + ClientRecord::kPasswordOffset,
                       ClientRecord::kPasswordWidth, stored);
    }
    return Store(*bytes);
}

} // namespace pyrostat
