#pragma once

#include "program/ProgramState.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace pyrostat {

// `pyrostat convert IN OUT`: between a study (".pyx" with its ".tpx") and a
// tab-separated text file (UTF-8) of the grid, so that a study can be
// prepared or checked in a spreadsheet. The direction follows IN: a ".pyx"
// gives a text file, anything else is read as text and OUT must end in
// ".pyx". Numbers are written and read with the decimal separator of `state`.
//
// Text to study: every value the grid would refuse is listed on `err` with
// its line, row and column; then nothing is written (a study with silently
// missing cells is worse than none). The study and its companion are written
// whole before they replace old files; without general data no companion is
// written and an old one of that name is removed.
// Study to text: a damaged study is converted as far as it can be read and
// the damage is told on `err`.
//
// Exit status: 0 done; 1 usage or file error; 2 refused values (nothing
// written) or a damaged study (text written).
int RunConvertCommand(const std::vector<std::string>& args, const ProgramState& state,
                      std::istream& in, std::ostream& out, std::ostream& err);

} // namespace pyrostat
