#pragma once

#include "program/ProgramState.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace pyrostat {

// `pyrostat register list [FILE]` and `pyrostat register add NAME [FILE]`, for
// administrators setting up an installation. FILE defaults to "CLIENTS.MIR"
// in the program folder. `add` asks for the password on `in` when the register
// is protected. Exit status: 0 done, 1 usage or file error, 2 wrong password.
int RunRegisterCommand(const std::vector<std::string>& args, const ProgramState& state,
                       std::istream& in, std::ostream& out, std::ostream& err);

} // namespace pyrostat
