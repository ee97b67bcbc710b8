#pragma once

#include "reports/ReportServices.h"

#include <cstddef>
#include <functional>
#include <string>

namespace pyrostat {

// The steps every report shares: the template checked and read into a
// sheet, the engineer and the general data in the head, the report's own
// work, then the preview or the print. The template file is only read.
// `generalDataRow` is the row of the employer (the project and the location
// follow under it in column C). `fill` is the report's own work; it runs only
// when the template has been read.
void RunSheetReport(ReportServices& services, const std::string& templateName, int generalDataRow,
                    const ReportJob& job, const std::function<void(SheetModel&)>& fill);

// Copies the first page (rows 1 to `firstPageLastRow`, with values and
// formats) below itself `extraPages` times, page p starting at row
// pageRows * p + 1 on a new printed page.
void RepeatFirstPage(SheetModel& sheet, int firstPageLastRow, int pageRows, size_t extraPages);

} // namespace pyrostat
