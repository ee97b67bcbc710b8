#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pyrostat {

// What the program remembers from one run to the next. Nothing of it is part
// of a study: without it the program starts as it always did.
struct RememberedChoices {
    std::string engineer;                   // the engineer last chosen in the register
    std::vector<std::string> recentStudies; // newest first
    std::string windowGeometry;             // the main window's size and place, as saved
    std::string openFolder;                 // last folder of the open dialog
    std::string saveFolder;                 // last folder of the save dialog
};

// Where the choices are kept (a small settings file of the user's).
class ChoicesStore {
public:
    virtual ~ChoicesStore() = default;
    // The choices, or nothing when there are none or they cannot be read
    // (a damaged file): the program then starts as it always did.
    virtual std::optional<RememberedChoices> Load() = 0;
    // False when they could not be kept.
    virtual bool Save(const RememberedChoices& choices) = 0;
};

// The choices kept in memory, for tests.
class MemoryChoicesStore : public ChoicesStore {
public:
    std::optional<RememberedChoices> Load() override { return stored; }
    bool Save(const RememberedChoices& choices) override {
        stored = choices;
        ++saves;
        return true;
    }
    std::optional<RememberedChoices> stored;
    int saves = 0;
};

} // namespace pyrostat
