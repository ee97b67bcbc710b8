#pragma once

#include "billing/HistoryStore.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace pyrostat {

// The subcommands that run without a window: calc, convert, register.
// Returns the exit status, or nothing when `args[0]` is none of them (the
// caller then starts the window, or handles the window-side subcommands).
// `args` are the program's arguments without the program name.
std::optional<int> RunCommandLine(const std::vector<std::string>& args, std::istream& in,
                                  std::ostream& out, std::ostream& err);

// True for every subcommand word, also those that need the window library
// ("report").
bool IsSubcommand(const std::string& word);

// Resolves the program folder from the environment and seeds it on first use.
// Empty when it cannot be created.
std::string PrepareProgramFolder();

// Where the stored period bills are: the office's server when a connection
// is set (PYROSTAT_DATABASE, the settings file), else the database file in
// the program folder. Nothing is seeded for it: the history makes its own
// folder when it first stores.
HistoryStore ChosenHistoryStore();

// The usage text of all subcommands.
std::string UsageText();

} // namespace pyrostat
