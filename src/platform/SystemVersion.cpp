#include "platform/SystemVersion.h"

#include "platform/Utf8.h"

#include <fstream>
#include <sstream>
#include <sys/utsname.h>

namespace pyrostat {

bool DetectWindowsVersion(PrinterSession& state, SystemVersionNumbers& version) {
    struct utsname name {};
    if (::uname(&name) != 0) {
        return false;
    }
    const std::string release = name.release;
    const size_t dot = release.find('.');
    version.major = release.substr(0, dot);
    if (dot != std::string::npos) {
        const size_t end = release.find_first_not_of("0123456789", dot + 1);
        version.minor = release.substr(dot + 1, end == std::string::npos ? end : end - dot - 1);
    } else {
        version.minor.clear();
    }
    state.IsMajorVersion4 = false;
    state.LaterVersionCode = -1;
    return true;
}

std::string PrettyNameOf(const std::string& osReleaseText) {
    std::istringstream lines(osReleaseText);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::string key = "PRETTY_NAME=";
        if (line.compare(0, key.size(), key) != 0) {
            continue;
        }
        std::string value = TrimBlanks(std::string_view(line).substr(key.size()));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        std::string unescaped;
        for (size_t i = 0; i < value.size(); ++i) {
            if (value[i] == '\\' && i + 1 < value.size()) {
                ++i;
            }
            unescaped.push_back(value[i]);
        }
        return TrimBlanks(unescaped);
    }
    return {};
}

std::string WindowsVersionName(const std::string& osReleasePath) {
    std::ifstream in(osReleasePath, std::ios::binary);
    if (!in) {
        return "Linux";
    }
    std::ostringstream text;
    text << in.rdbuf();
    const std::string name = PrettyNameOf(text.str());
    return name.empty() ? "Linux" : name;
}

} // namespace pyrostat
