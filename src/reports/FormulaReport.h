#pragma once

#include "reports/ReportServices.h"

#include <cstdint>
#include <string>

namespace pyrostat {

// Page block of the formula template: 57 rows, the head on rows 1 to 20, the
// property lines on rows 21 to 55 (35 a page), the foot on row 57.
inline constexpr int kFormulaPageRows = 57;
inline constexpr int kFormulaHeadRows = 20;
inline constexpr int kFormulaLinesPerPage = 35;
inline constexpr const char* kFormulaLeader = "..............................";

// The formula report: one line per property with its number, its name and
// its formula line from "~mirttype.txt", names from "PYROSTAT.TMP".
void FormulaReport(ReportServices& services, const ReportJob& job);

} // namespace pyrostat
