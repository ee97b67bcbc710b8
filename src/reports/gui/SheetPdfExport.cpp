#include "reports/gui/SheetPdfExport.h"

#include "platform/FileAccess.h"
#include "reports/gui/PdfCanvas.h"
#include "reports/gui/SheetRenderer.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QPrinter>

namespace pyrostat {

bool WriteSheetPdf(const SheetModel& model, const std::string& path, char decimalSeparator,
                   char groupSeparator, std::string& error) {
    error = "Το αρχείο PDF δεν γράφτηκε: " + path;
    const SheetRenderer renderer(model, decimalSeparator, groupSeparator);
    // The pages are laid out for a PDF device and drawn straight
    // into the file; the device itself is never painted on.
    QBuffer unused;
    QPdfWriter layout(&unused);
    layout.setResolution(kSheetResolution);
    layout.setPageLayout(renderer.PageLayout());
    PdfCanvas canvas(layout, renderer.PageLayout());
    renderer.Render(layout, canvas);
    std::string bytes = canvas.Finish("Pyrostat");
    if (bytes.empty()) {
        // A text in a font whose outlines the file cannot carry itself (not
        // TrueType): Qt's PDF writer draws the pages instead, as slowly as
        // it does, with every font.
        QBuffer qtPdf;
        qtPdf.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&qtPdf);
            writer.setResolution(kSheetResolution);
            writer.setCreator("Pyrostat");
            writer.setTitle("Pyrostat");
            writer.setPageLayout(renderer.PageLayout());
            if (!renderer.Render(writer)) {
                return false;
            }
        }
        bytes = qtPdf.data().toStdString();
        if (bytes.empty()) {
            return false;
        }
    }
    if (const FileProblem problem = ReplaceFileSafely(path, bytes); problem != FileProblem::None) {
        error = FileProblemMessage(path, problem);
        return false;
    }
    error.clear();
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
