#pragma once

#include "app/StreamMessages.h"
#include "program/ProgramState.h"
#include "studies/MemoryStudyFields.h"
#include "workspace/MemoryGrid.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pyrostat {

// `pyrostat report formulas|table|data[,...] STUDY.pyx [--pdf OUT.pdf] [--xlsx OUT.xlsx]
// [--decimal ,|.]`: one or more of the three printed reports of a study, written
// to PDF and/or .xlsx files without showing anything. With several reports
// ("formulas,table,data") the study is read and calculated once and each file
// takes the report's name before its extension (OUT-table.pdf). For formulas and table the
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
    std::vector<std::string> kinds;
    std::string pdfPath, xlsxPath, printerName, copiesText;
    std::shared_ptr<StreamMessages> messages;
    std::shared_ptr<MemoryGrid> grid;
    MemoryStudyFields fields;
};

// The reports named by the command's first word ("table", "formulas,data"), in
// its order; nothing for an unknown or repeated name.
std::optional<std::vector<std::string>> ReportKinds(const std::string& word);

// The file one report of several is written to: "out.pdf" -> "out-table.pdf".
std::string ReportFileFor(const std::string& path, const std::string& kind, bool several);

PreparedReport PrepareReport(const std::vector<std::string>& args, ProgramState& state,
                             std::istream& in, std::ostream& err);
int DrawReport(PreparedReport& report, ProgramState& state, std::ostream& err);

} // namespace pyrostat
