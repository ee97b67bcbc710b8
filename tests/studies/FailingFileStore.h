#pragma once

#include "studies/DiskFileStore.h"

#include <string>
#include <vector>

namespace pyrostat::test {

// The real disk, except that the disk "fills up" after `budget` bytes: the
// write that crosses the budget puts only the bytes that still fit and fails,
// as a full disk does. A rename can be made to fail too.
class FailingFileStore : public DiskFileStore {
public:
    explicit FailingFileStore(size_t budget) : budget_(budget) {}

    bool WriteDurably(const std::string& path, const std::string& bytes) override {
        writes.push_back(path);
        if (bytes.size() <= budget_) {
            budget_ -= bytes.size();
            return DiskFileStore::WriteDurably(path, bytes);
        }
        DiskFileStore::WriteDurably(path, bytes.substr(0, budget_));
        budget_ = 0;
        return false;
    }
    bool Rename(const std::string& from, const std::string& to) override {
        if (failRenames) {
            return false;
        }
        return DiskFileStore::Rename(from, to);
    }

    bool failRenames = false;
    std::vector<std::string> writes;

private:
    size_t budget_;
};

} // namespace pyrostat::test
