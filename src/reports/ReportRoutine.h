#pragma once

#include "reports/ReportServices.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace pyrostat {

// The steps every report shares: the template check, the engine start, the
// engineer and the general data in the head, the report's own work, then the
// preview or the print, the close without saving and the end of the engine.
// `generalDataRow` is the row of the employer (the project and the location
// follow under it in column C). `fill` is the report's own work; it runs only
// when the template is open.
void RunSheetReport(ReportServices& services, const std::string& templateName, int generalDataRow,
                    const ReportJob& job, const std::function<void(SheetApplication&)>& fill);

// Pastes the template's first page (`firstPageRows`, as "1:38") below itself
// `extraPages` times, page p starting at row pageRows * p + 1 on a new printed
// page.
void RepeatFirstPage(SheetApplication& sheet, const std::string& firstPageRows, int pageRows,
                     size_t extraPages);

} // namespace pyrostat
