#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace pyrostat {

struct HistoryStore;

// `pyrostat history COEFFICIENTS [--tsv F] [--export F]` and
// `pyrostat history --import F`: the stored periods of a building (dates,
// method, cost, sum of Ω, estimates, version), every stored line of them as
// tab-separated text, or one building's history moved between machines as a
// file; `pyrostat history --export F` writes every building, so that an
// office moves its history from one store to another (`--import` there).
// Exit status: 0 done, 1 usage or file error.
int RunHistoryCommand(const std::vector<std::string>& args, const HistoryStore& store,
                      std::ostream& out, std::ostream& err);

} // namespace pyrostat
