#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace pyrostat {

// The studies last opened or saved, newest first, each once, ten at the most,
// as the file menu lists them.
class RecentStudies {
public:
    static constexpr size_t kMax = 10;

    RecentStudies() = default;
    // Takes a remembered list as it was stored: empty entries and repeats are
    // dropped, and anything past the tenth.
    explicit RecentStudies(const std::vector<std::string>& paths);

    // A study opened or saved: to the front of the list.
    void Add(const std::string& path);
    // A study that is no longer there.
    void Remove(const std::string& path);

    const std::vector<std::string>& Paths() const { return paths_; }

private:
    std::vector<std::string> paths_;
};

// The menu's text of entry `index` (from 0): "&1 name.pyx   (folder)", the
// number a key for the first nine.
std::string RecentStudyMenuText(size_t index, const std::string& path);

} // namespace pyrostat
