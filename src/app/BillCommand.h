#pragma once

#include "billing/HistoryStore.h"
#include "reports/SheetWriter.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace pyrostat {

// What the bill command works with besides its arguments.
struct BillContext {
    SheetWriter* writer = nullptr; // the renderer of the sheets; none: no sheets
    HistoryStore history;          // where the stored periods are
};

// `pyrostat bill COEFFICIENTS READINGS --cost AMOUNT [--method hours|energy]
// [--from DATE --to DATE] [--estimate] [--save] [--carry] [--tsv F] [--pdf F]
// [--xlsx F] [--notices F]`: the bill of a heating period. COEFFICIENTS is a
// study, a TYPES_*.FIL export or a table; READINGS a tab-separated table ("-"
// reads it from `in`). Without --tsv the tab-separated bill is printed on
// `out`. The sheet (--pdf, --xlsx) and the notices (--notices, PDF) go
// through the writer. --save stores the bill in the history (the dates are
// needed), --carry takes each previous reading from the last stored period,
// and the notices compare with the stored periods.
// Exit status: 0 billed, 1 usage or file error, 2 a fault in the coefficients
// or the readings (each printed on `err`; nothing is written).
int RunBillCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err, const BillContext& context);

// Whether the arguments ask for a sheet (PDF or .xlsx), which needs the
// renderer.
bool BillWantsSheets(const std::vector<std::string>& args);

} // namespace pyrostat
