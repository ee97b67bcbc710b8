#pragma once

#include "reports/SheetWriter.h"

namespace pyrostat {

// The sheet written as the reports are: PDF by the renderer of the preview and
// the printer, .xlsx by the workbook writer. Numbers show the decimal comma.
class QtSheetWriter : public SheetWriter {
public:
    bool WritePdf(const SheetModel& sheet, const std::string& path, NumberLocale locale,
                  std::string& error) override;
    bool WriteXlsx(const SheetModel& sheet, const std::string& path, std::string& error) override;
};

} // namespace pyrostat
