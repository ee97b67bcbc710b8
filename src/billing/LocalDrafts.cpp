#include "billing/LocalDrafts.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace pyrostat {

namespace {

// The first line of a draft's file names its building, so that two
// buildings whose names hash alike never take each other's draft.
std::string KeyLine(const BuildingKey& key) {
    std::string line = "pyrostat-local-draft";
    for (const std::string* part :
         {&key.studyPath, &key.title, &key.employer, &key.project, &key.location}) {
        line += '\t';
        for (const char ch : *part) {
            line += (ch == '\n' || ch == '\t' || ch == '\r') ? ' ' : ch;
        }
    }
    return line + '\n';
}

} // namespace

std::string LocalDrafts::PathOf(const BuildingKey& key) const {
    // FNV-1a of the building's line: a short file name of plain letters.
    uint64_t hash = 14695981039346656037ULL;
    for (const char ch : KeyLine(key)) {
        hash = (hash ^ static_cast<unsigned char>(ch)) * 1099511628211ULL;
    }
    char name[32];
    std::snprintf(name, sizeof name, "%016llx.draft", static_cast<unsigned long long>(hash));
    return folder_ + name;
}

FileProblem LocalDrafts::Keep(const BuildingKey& key, const std::string& content) const {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    return ReplaceFileSafely(PathOf(key), KeyLine(key) + content);
}

std::optional<std::string> LocalDrafts::Find(const BuildingKey& key) const {
    std::string bytes;
    if (ReadRegularFile(PathOf(key), bytes) != FileProblem::None) {
        return std::nullopt;
    }
    const std::string line = KeyLine(key);
    if (bytes.compare(0, line.size(), line) != 0) {
        return std::nullopt; // another building's, or not a draft of ours
    }
    return bytes.substr(line.size());
}

void LocalDrafts::Drop(const BuildingKey& key) const {
    if (Find(key)) {
        std::error_code ignored;
        std::filesystem::remove(PathOf(key), ignored);
    }
}

} // namespace pyrostat
