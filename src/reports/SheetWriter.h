#pragma once

#include "program/NumberLocale.h"
#include "reports/SheetModel.h"

#include <string>

namespace pyrostat {

// Writes a filled sheet to a file through the one render path (PDF, its
// numbers with the locale's separators) or the workbook writer (.xlsx). False
// with a Greek `error` when it cannot.
class SheetWriter {
public:
    virtual ~SheetWriter() = default;
    virtual bool WritePdf(const SheetModel& sheet, const std::string& path, NumberLocale locale,
                          std::string& error) = 0;
    virtual bool WriteXlsx(const SheetModel& sheet, const std::string& path,
                           std::string& error) = 0;
};

} // namespace pyrostat
