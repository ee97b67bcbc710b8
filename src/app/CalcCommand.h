#pragma once

#include "program/ProgramState.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace pyrostat {

// `pyrostat calc STUDY.pyx [--export] [--decimal ,|.]`: the calculation without
// a window. Loads the study (and its ".tpx" when present) into an in-memory
// grid, runs the same check and calculation as the calculation button, writes
// "PYROSTAT.TMP" and "~mirttype.txt" in the program folder and prints the
// formula lines (UTF-8) on `out`. --export also writes the two files for the
// common-expenses program (the general data must be complete). --decimal
// chooses the separators; the default is the system locale's.
// Exit status: 0 done, 1 usage or file error, 2 the study failed the check
// (its Greek message is printed on `err` and nothing is written).
int RunCalcCommand(const std::vector<std::string>& args, ProgramState& state, std::istream& in,
                   std::ostream& out, std::ostream& err);

} // namespace pyrostat
