#pragma once

#include <functional>
#include <ostream>

namespace pyrostat {

// Runs a command so that nothing unexpected leaves it: a file system error,
// a lack of memory or any other exception becomes a Greek message on `err`
// and the status of a file problem, never an abort.
int GuardedCommand(const std::function<int()>& command, std::ostream& err);

} // namespace pyrostat
