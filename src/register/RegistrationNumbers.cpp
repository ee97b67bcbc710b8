#include "register/RegistrationNumbers.h"

#include "platform/PathRoutines.h"
#include "platform/Utf8.h"

namespace pyrostat {

std::string RegistrationNumbers::PathBeside(const std::string& registerPath) {
    const size_t slash = registerPath.find_last_of('/');
    return (slash == std::string::npos ? std::string() : registerPath.substr(0, slash + 1)) +
           kFileName;
}

bool IsRegistrationNumber(std::string_view text) {
    if (text.empty() || text.size() > RegistrationNumbers::kMaxDigits) {
        return false;
    }
    for (const char ch : text) {
        if (ch < '0' || ch > '9') {
            return false;
        }
    }
    return true;
}

RegistrationNumbers RegistrationNumbers::Read(const std::string& path) {
    RegistrationNumbers read;
    std::string bytes;
    read.problem_ = ReadRegularFile(path, bytes);
    if (read.problem_ == FileProblem::Missing) {
        read.problem_ = FileProblem::None;
        return read;
    }
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        std::string_view line(bytes.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            continue;
        }
        const size_t tab = line.find('\t');
        const std::string name =
            tab == std::string_view::npos ? "" : TrimBlanks(line.substr(0, tab));
        const std::string number =
            tab == std::string_view::npos ? "" : TrimBlanks(line.substr(tab + 1));
        if (name.empty() || !IsRegistrationNumber(number) || !IsValidUtf8(name)) {
            ++read.skipped_;
            continue;
        }
        read.numbers_[name] = number;
    }
    return read;
}

std::string RegistrationNumbers::NumberOf(std::string_view name) const {
    const auto it = numbers_.find(TrimBlanks(name));
    return it == numbers_.end() ? std::string() : it->second;
}

bool RegistrationNumbers::Set(std::string_view name, std::string_view number) {
    const std::string key = TrimBlanks(name);
    const std::string digits = TrimBlanks(number);
    if (key.empty() || (!digits.empty() && !IsRegistrationNumber(digits))) {
        return false;
    }
    if (digits.empty()) {
        numbers_.erase(key);
    } else {
        numbers_[key] = digits;
    }
    return true;
}

FileProblem RegistrationNumbers::Write(const std::string& path) const {
    std::string bytes;
    for (const auto& [name, number] : numbers_) {
        bytes += name + "\t" + number + "\n";
    }
    return ReplaceFileSafely(path, bytes);
}

std::string EngineerWithNumber(const std::string& programFolder, const std::string& engineer) {
    std::string line = TrimBlanks(engineer);
    const std::string number =
        RegistrationNumbers::Read(AddBackslash(programFolder) + RegistrationNumbers::kFileName)
            .NumberOf(engineer);
    if (!number.empty()) {
        line += ", ΑΜ ΤΕΕ " + number;
    }
    return line;
}

} // namespace pyrostat
