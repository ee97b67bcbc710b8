#pragma once

#include "reports/SheetModel.h"

#include <string>

namespace pyrostat {

// What a report needs beyond filling its sheet: the template read into a
// sheet, and the filled sheet shown or printed. The window's side reads the
// JSON templates and draws with Qt; the tests keep what they are given.
class ReportOutputs {
public:
    virtual ~ReportOutputs() = default;

    // Reads the template at `path` into `sheet`; false when it cannot be read.
    virtual bool LoadTemplate(const std::string& path, SheetModel& sheet) = 0;
    // Shows the filled sheet and returns when the user closes it (from there
    // it may be saved or printed); false on an error of the preview.
    virtual bool Preview(const SheetModel& sheet) = 0;
    // Prints the sheet on the printer named (empty: the desktop's default),
    // collated, `copies` times.
    virtual void Print(const SheetModel& sheet, int copies, const std::string& printer) = 0;
};

} // namespace pyrostat
