#include "distribution/FormulaTextFile.h"

#include "platform/Codepage1253.h"
#include "platform/RecordFile.h"

namespace pyrostat {

std::string FormatQuotedLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += '"';
        bytes += Utf8ToCp1253(line);
        bytes += "\"\r\n";
    }
    return bytes;
}

std::vector<std::string> ParseQuotedLines(std::string_view bytes) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        const size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        std::string_view line = bytes.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!line.empty() && line.front() == '"') {
            const size_t close = line.find('"', 1);
            line = line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1);
        }
        lines.push_back(Cp1253ToUtf8(line));
        pos = next;
    }
    return lines;
}

std::vector<std::string> ReadQuotedLines(const std::string& path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        return {};
    }
    return ParseQuotedLines(bytes);
}

} // namespace pyrostat
