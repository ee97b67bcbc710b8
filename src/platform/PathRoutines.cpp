#include "platform/PathRoutines.h"

#include "platform/Utf8.h"

namespace pyrostat {

namespace {

bool IsSeparator(char ch) {
    return ch == '/' || ch == '\\';
}

bool IsAsciiLetter(char ch) {
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

} // namespace

std::string AddBackslash(std::string_view path) {
    std::string result(path);
    if (result.empty() || !IsSeparator(result.back())) {
        result.push_back('/');
    }
    return result;
}

int LastPosOfAny(std::string_view text, std::string_view set) {
    std::u32string members;
    for (size_t pos = 0; pos < set.size();) {
        char32_t cp = 0;
        DecodeUtf8(set, pos, cp);
        members.push_back(cp);
    }
    int position = 0;
    int last = 0;
    for (size_t pos = 0; pos < text.size();) {
        char32_t cp = 0;
        DecodeUtf8(text, pos, cp);
        ++position;
        if (members.find(cp) != std::u32string::npos) {
            last = position;
        }
    }
    return last;
}

PathParts SplitPath(std::string_view fullPath) {
    PathParts parts;
    std::string_view rest = fullPath;
    const size_t lastSeparator = fullPath.find_last_of("/\\");
    if (lastSeparator != std::string_view::npos) {
        parts.file = std::string(fullPath.substr(lastSeparator + 1));
        rest = fullPath.substr(0, lastSeparator + 1);
    }
    // A drive letter: "C:" followed by an optional separator. Only the
    // separator that is really there is removed, so "C:DATA\" keeps its folder.
    if (rest.size() >= 2 && rest[1] == ':' && IsAsciiLetter(rest[0])) {
        parts.drive = std::string(rest.substr(0, 1));
        rest.remove_prefix(2);
        if (!rest.empty() && IsSeparator(rest.front())) {
            rest.remove_prefix(1);
        }
    }
    if ((rest.empty() || !IsSeparator(rest.back())) && parts.file.empty()) {
        parts.file = std::string(rest);
    } else {
        parts.folder = std::string(rest);
    }
    return parts;
}

std::string WithDecimalSeparator(std::string_view value, int decimalSeparatorCode) {
    const std::string text = TrimBlanks(value);
    size_t split = text.find('.');
    if (split == std::string::npos) {
        split = text.find(',');
    }
    if (split == std::string::npos) {
        return text;
    }
    std::string result = text.substr(0, split);
    AppendUtf8(result, static_cast<char32_t>(decimalSeparatorCode));
    result += text.substr(split + 1);
    return result;
}

} // namespace pyrostat
