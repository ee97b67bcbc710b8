#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace pyrostat {

// `pyrostat history COEFFICIENTS [--tsv F] [--export F]` and
// `pyrostat history --import F`: the stored periods of a building (dates,
// method, cost, sum of Ω, estimates, version), every stored line of them as
// tab-separated text, or one building's history moved between machines as a
// file. Exit status: 0 done, 1 usage or file error.
int RunHistoryCommand(const std::vector<std::string>& args, const std::string& historyPath,
                      std::ostream& out, std::ostream& err);

} // namespace pyrostat
