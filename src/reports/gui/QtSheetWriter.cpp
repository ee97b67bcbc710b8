#include "reports/gui/QtSheetWriter.h"

#include "reports/gui/SheetPdfExport.h"
#include "reports/gui/XlsxExport.h"

namespace pyrostat {

bool QtSheetWriter::WritePdf(const SheetModel& sheet, const std::string& path, NumberLocale locale,
                             std::string& error) {
    return WriteSheetPdf(sheet, path, locale.decimal, locale.group, error);
}

bool QtSheetWriter::WriteXlsx(const SheetModel& sheet, const std::string& path,
                              std::string& error) {
    if (!XlsxExportAvailable()) {
        error = "Αυτή η έκδοση του προγράμματος δεν γράφει αρχεία .xlsx.";
        return false;
    }
    return WriteSheetXlsx(sheet, path, error);
}

} // namespace pyrostat
