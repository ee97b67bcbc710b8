#include "workspace/RecentStudies.h"

#include <algorithm>

namespace pyrostat {

RecentStudies::RecentStudies(const std::vector<std::string>& paths) {
    for (auto it = paths.rbegin(); it != paths.rend(); ++it) {
        Add(*it);
    }
}

void RecentStudies::Add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    Remove(path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kMax) {
        paths_.resize(kMax);
    }
}

void RecentStudies::Remove(const std::string& path) {
    paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
}

std::string RecentStudyMenuText(size_t index, const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
    // "&" would mark a key in a menu text.
    std::string shown;
    for (const char ch : name) {
        shown += ch == '&' ? std::string("&&") : std::string(1, ch);
    }
    const std::string number = std::to_string(index + 1);
    return (index < 9 ? "&" + number : number) + "  " + shown +
           (folder.empty() ? std::string() : "   (" + folder + ")");
}

} // namespace pyrostat
