#include "register/RegisterFile.h"

#include "platform/FileTests.h"
#include "platform/FixedRecord.h"
#include "workspace/ProgramState.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace pyrostat {

RegisterFile RegisterFile::InProgramFolder(const ProgramState& state) {
    return RegisterFile(state.InProgramFolder(kFileName));
}

bool RegisterFile::Exists() const {
    return FileExists(path_);
}

std::optional<std::string> RegisterFile::Load() const {
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

// The register is small (a few kilobytes), so every change writes the whole
// file to a neighbour first and then puts it in place: a failed write never
// leaves half a register behind.
bool RegisterFile::Store(const std::string& bytes) const {
    const std::string temporary = path_ + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path_, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}

RegisterContents RegisterFile::Read() const {
    RegisterContents contents;
    if (!Exists()) {
        return contents;
    }
    const auto bytes = Load();
    if (!bytes) {
        contents.status = RegisterContents::Status::Unreadable;
        return contents;
    }
    const RecordCount count = CountRecords(bytes->size(), ClientRecord::kLength);
    contents.wholeRecords = count.whole;
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
