#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace pyrostat {

struct HistoryStore;

// `pyrostat building COEFFICIENTS [--owners FILE [--from DATE]] [--iban IBAN]
// [--manager TEXT] [--phone TEXT] [--days N]`: what the history keeps with a
// building for its notices. Without options it shows the manager, the
// account, the days to pay and the owners (each with the day he holds from);
// with them it stores them, all or nothing. COEFFICIENTS is what the bill
// takes (a study, an export or a table): it names the building.
// Exit status: 0 shown or stored, 1 usage or a file that cannot be read,
// 2 a value refused (an IBAN whose check digits fail, an owners' line that
// names no property), nothing stored.
int RunBuildingCommand(const std::vector<std::string>& args, const HistoryStore& store,
                       std::ostream& out, std::ostream& err);

} // namespace pyrostat
