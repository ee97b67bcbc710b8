#pragma once

#include "program/ProgramState.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace pyrostat {

// `pyrostat report formulas|table|data STUDY.pyx [--pdf OUT.pdf] [--xlsx OUT.xlsx]
// [--decimal ,|.]`: one of the three printed reports of a study, written to a
// PDF and/or an .xlsx file without showing anything. For formulas and table the
// study goes through the same check and calculation as the calculation button
// (the working files are rewritten in the program folder); for data through
// the same checks as the data preview. The general data come from the study's
// ".tpx" and must be complete. Exit status: 0 written, 1 usage or file error,
// 2 the study failed a check (its message is printed on `err`).
int RunReportCommand(const std::vector<std::string>& args, ProgramState& state, std::istream& in,
                     std::ostream& out, std::ostream& err);

} // namespace pyrostat
