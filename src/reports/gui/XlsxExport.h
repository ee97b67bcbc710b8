#pragma once

#include "reports/SheetModel.h"

#include <string>

namespace pyrostat {

// Whether this build can write .xlsx files.
bool XlsxExportAvailable();

// Writes the filled sheet as an .xlsx workbook: values (numbers as numbers),
// formats, merged ranges, column widths, row heights, the manual page breaks,
// paper, orientation, margins, the foot line and a print scale that fits the
// page width. False with `error` set when the file cannot be written.
bool WriteSheetXlsx(const SheetModel& model, const std::string& path, std::string& error);

} // namespace pyrostat
