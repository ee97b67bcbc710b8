#pragma once

#include "app/StreamMessages.h"
#include "program/ProgramState.h"
#include "studies/MemoryStudyFields.h"
#include "workspace/MemoryGrid.h"

#include <iosfwd>
#include <memory>
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

// The command in its two steps. The first reads the options and the study and
// calculates, with no window system (it may run on another thread while the
// application starts); the second draws and writes. `status` is the exit
// status when the command ends at the first step, -1 when it goes on.
struct PreparedReport {
    int status = -1;
    std::string kind, pdfPath, xlsxPath, printerName, copiesText;
    std::shared_ptr<StreamMessages> messages;
    std::shared_ptr<MemoryGrid> grid;
    MemoryStudyFields fields;
};

PreparedReport PrepareReport(const std::vector<std::string>& args, ProgramState& state,
                             std::istream& in, std::ostream& err);
int DrawReport(PreparedReport& report, ProgramState& state, std::ostream& err);

} // namespace pyrostat
