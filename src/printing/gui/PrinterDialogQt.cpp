#include "printing/gui/PrinterDialogQt.h"

#include "printing/gui/PrinterPageSettings.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QString>

namespace pyrostat {

PrinterDialogAnswer PrinterDialogQt::Show(const PrinterSetup& current) {
    QPrinter printer(QPrinter::HighResolution);
    if (!current.deviceName.empty()) {
        printer.setPrinterName(QString::fromStdString(current.deviceName));
    }
    ApplyPageSettings(printer, current.page);

    QPrintDialog dialog(&printer, owner_);
    dialog.setWindowTitle(QStringLiteral("Επιλογή Εκτυπωτή"));
    // The report goes to a printer by its name; printing to a file is the
    // preview's "save as PDF".
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);

    PrinterDialogAnswer answer;
    if (dialog.exec() != QDialog::Accepted) {
        answer.outcome = PrinterDialogAnswer::Outcome::Cancelled;
        return answer;
    }
    answer.outcome = PrinterDialogAnswer::Outcome::Chosen;
    answer.deviceName = printer.printerName().toStdString();
    answer.page = ReadPageSettings(printer);
    return answer;
}

} // namespace pyrostat
