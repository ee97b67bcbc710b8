#include "reports/gui/SheetPdfExport.h"

#include "reports/gui/SheetRenderer.h"

#include <QFile>
#include <QPdfWriter>
#include <QPrinter>

namespace pyrostat {

bool WriteSheetPdf(const SheetModel& model, const std::string& path, char decimalSeparator,
                   char groupSeparator, std::string& error) {
    const QString file = QString::fromStdString(path);
    {
        QPdfWriter writer(file);
        writer.setResolution(600);
        writer.setCreator("Pyrostat");
        writer.setTitle("Pyrostat");
        const SheetRenderer renderer(model, decimalSeparator, groupSeparator);
        writer.setPageLayout(renderer.PageLayout());
        if (!renderer.Render(writer)) {
            error = "Το αρχείο PDF δεν γράφτηκε: " + path;
            return false;
        }
    }
    if (!QFile::exists(file) || QFile(file).size() == 0) {
        error = "Το αρχείο PDF δεν γράφτηκε: " + path;
        return false;
    }
    return true;
}

bool PrintSheet(const SheetModel& model, int copies, const std::string& printerName, bool collate,
                char decimalSeparator, char groupSeparator, std::string& error) {
    QPrinter printer(QPrinter::HighResolution);
    if (!printerName.empty()) {
        printer.setPrinterName(QString::fromStdString(printerName));
    }
    printer.setCopyCount(copies < 1 ? 1 : copies);
    printer.setCollateCopies(collate);
    printer.setDocName("Pyrostat");
    const SheetRenderer renderer(model, decimalSeparator, groupSeparator);
    printer.setPageLayout(renderer.PageLayout());
    if (!printer.isValid() || !renderer.Render(printer)) {
        error = printerName.empty()
                    ? std::string("Δεν υπάρχει εκτυπωτής στο σύστημα, ή ο προεπιλεγμένος "
                                  "εκτυπωτής δεν είναι διαθέσιμος.")
                    : "Ο εκτυπωτής < " + printerName + " > δεν είναι διαθέσιμος.";
        return false;
    }
    return true;
}

} // namespace pyrostat
