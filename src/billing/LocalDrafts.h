#pragma once

#include "billing/BillingHistory.h"
#include "platform/FileAccess.h"

#include <optional>
#include <string>

namespace pyrostat {

// The drafts a desk keeps in its own program folder when the office's server
// cannot take them (not reachable, the connection lost): one file a
// building, named by its study and general data, until the server takes the
// draft or the period is stored.
class LocalDrafts {
public:
    // `folder`: "PYXFiles/Drafts/" of the program folder, made when needed.
    explicit LocalDrafts(std::string folder) : folder_(std::move(folder)) {}

    FileProblem Keep(const BuildingKey& key, const std::string& content) const;
    std::optional<std::string> Find(const BuildingKey& key) const;
    void Drop(const BuildingKey& key) const;
    // The file of the building's draft.
    std::string PathOf(const BuildingKey& key) const;

private:
    std::string folder_;
};

// "PYXFiles/Drafts/" in the program folder.
inline constexpr const char* kLocalDraftsFolder = "PYXFiles/Drafts/";

} // namespace pyrostat
