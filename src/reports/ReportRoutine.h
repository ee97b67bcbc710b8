#pragma once

#include "reports/ReportServices.h"

#include <cstdint>
#include <functional>
#include <string>

namespace pyrostat {

// The steps every report shares: the template check, the engine start, the
// engineer and the general data in the head, the report's own work, then the
// preview or the print, the close without saving and the end of the engine.
// `generalDataRow` is the row of the employer (the project and the location
// follow under it in column C). `fill` is the report's own work; it runs only
// when the template is open. `Copies` 0 becomes 1 and is written back.
void RunSheetReport(ReportServices& services, const std::string& templateName, int generalDataRow,
                    int16_t& Mode, std::string& PrinterName, int16_t& Copies,
                    const std::function<void(SheetApplication&)>& fill);

} // namespace pyrostat
