#pragma once

#include "reports/SheetModel.h"

#include <string>

namespace pyrostat {

// Writes the filled sheet as a PDF file, page by page as it prints. False with
// `error` set when the file cannot be written.
bool WriteSheetPdf(const SheetModel& model, const std::string& path, char decimalSeparator,
                   char groupSeparator, std::string& error);

// Prints the filled sheet; an empty printer name prints on the current
// (default) printer.
bool PrintSheet(const SheetModel& model, int copies, const std::string& printerName, bool collate,
                char decimalSeparator, char groupSeparator, std::string& error);

} // namespace pyrostat
