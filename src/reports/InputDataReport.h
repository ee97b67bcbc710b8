#pragma once

#include "reports/ReportServices.h"

#include <cstdint>
#include <string>

namespace pyrostat {

// Page block of the input-data template: 38 rows, 25 property lines from row
// 12, the insulation answer in D6.
inline constexpr int kDataPageRows = 38;
inline constexpr int kDataLinesPerPage = 25;
inline constexpr const char* kInputDataFileName = "S_PYROS.TMP";
inline constexpr const char* kInsulationYes = "ΝΑΙ";
inline constexpr const char* kInsulationNo = "ΟΧΙ";

// The colour of a value the calculation warned about (a dark red).
inline constexpr uint32_t kImplausibleRgb = 0xC00000;

// The input-data report from "S_PYROS.TMP": the grid as the engineer entered
// it, the values a building hardly has in red and bold.
void InputDataReport(ReportServices& services, const ReportJob& job);

} // namespace pyrostat
