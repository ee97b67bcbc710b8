#include "platform/SystemVersion.h"

#include "platform/Utf8.h"

#include <fstream>
#include <sstream>

namespace pyrostat {

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
