#pragma once

#include "reports/SheetModel.h"

#include <QPrintPreviewDialog>

#include <functional>

class QPrinter;

namespace pyrostat {

// The print preview of a report: the pages as they will print, with two more
// buttons, "Αποθήκευση PDF" and "Αποθήκευση .xlsx", that save the same sheet.
class SheetPreviewDialog : public QPrintPreviewDialog {
    Q_OBJECT
public:
    // Asks for the file to save to (caption, filter); empty when cancelled.
    // Asks for the file to save: the dialog's caption, the file filter and the
    // suggested path (folder, name and extension) it opens with.
    using SaveFileChooser = std::function<QString(const QString& caption, const QString& filter,
                                                  const QString& suggested)>;
    // Tells the user that a save failed.
    using FailureReporter = std::function<void(const QString& message)>;

    SheetPreviewDialog(const SheetModel& model, char decimalSeparator, char groupSeparator,
                       QWidget* parent = nullptr);

    void SetSaveFileChooser(SaveFileChooser chooser) { chooseFile_ = std::move(chooser); }
    // The folder and the name (without extension) the save dialogs suggest;
    // empty: the process's working folder and no name.
    void SetSuggestedName(const QString& pathWithoutExtension) {
        suggested_ = pathWithoutExtension;
    }
    void SetFailureReporter(FailureReporter reporter) { reportFailure_ = std::move(reporter); }
    // Told the path of every file saved.
    void SetSavedReporter(std::function<void(const QString& path)> reporter) {
        reportSaved_ = std::move(reporter);
    }

    // The two extra buttons, for the window tests.
    QAction* SavePdfAction() const { return savePdf_; }
    QAction* SaveXlsxAction() const { return saveXlsx_; }

    void SavePdf();
    void SaveXlsx();

private:
    void Paint(QPrinter* printer);

    const SheetModel& model_;
    char decimal_;
    char group_;
    QAction* savePdf_ = nullptr;
    QAction* saveXlsx_ = nullptr;
    SaveFileChooser chooseFile_;
    QString suggested_;
    FailureReporter reportFailure_;
    std::function<void(const QString& path)> reportSaved_;
};

} // namespace pyrostat
