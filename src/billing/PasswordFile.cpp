#include "billing/PasswordFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pyrostat {

namespace {

// A field of the file: ':' and '\' written with a backslash before them.
std::string Field(const std::string& value, const char* otherwise) {
    if (value.empty()) {
        return otherwise;
    }
    std::string out;
    for (const char ch : value) {
        if (ch == ':' || ch == '\\') {
            out += '\\';
        }
        out += ch;
    }
    return out;
}

} // namespace

std::string PasswordFilePath(const EnvironmentReader& env) {
    if (const std::string set = env("PGPASSFILE"); !set.empty()) {
        return set;
    }
    return env("HOME") + "/.pgpass";
}

FileProblem KeepPassword(const std::string& path, const ServerFields& server,
                         const std::string& password) {
    // The server's own part of the line: as libpq matches it, with its
    // defaults written out (a local socket, 5432, the user's own name).
    const std::string head = Field(server.host, "localhost") + ':' + Field(server.port, "5432") +
                             ':' + Field(server.dbname, "*") + ':' + Field(server.user, "*") + ':';
    std::string bytes;
    const FileProblem read = ReadRegularFile(path, bytes);
    if (read != FileProblem::None && read != FileProblem::Missing) {
        return read;
    }
    std::string kept;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        const std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (line.compare(0, head.size(), head) != 0) {
            kept += line + '\n';
        }
    }
    kept += head + Field(password, "") + '\n';
    // Its owner's alone before a byte of a password is in it: a new file is
    // made so, and the replacement keeps the permissions it finds.
    if (read == FileProblem::Missing) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            const FileProblem problem = WriteProblem(path);
            return problem != FileProblem::None ? problem : FileProblem::WriteError;
        }
        ::close(fd);
    } else {
        ::chmod(path.c_str(), S_IRUSR | S_IWUSR);
    }
    return ReplaceFileSafely(path, kept);
}

} // namespace pyrostat
