#include "reports/gui/SheetPreviewDialog.h"

#include "reports/gui/SheetPdfExport.h"
#include "reports/gui/SheetRenderer.h"
#include "reports/gui/XlsxExport.h"

#include <QAction>
#include <QFileDialog>
#include <QPrinter>
#include <QToolBar>

namespace pyrostat {

SheetPreviewDialog::SheetPreviewDialog(const SheetModel& model, char decimalSeparator,
                                       char groupSeparator, QWidget* parent)
    : QPrintPreviewDialog(parent), model_(model), decimal_(decimalSeparator),
      group_(groupSeparator) {
    setWindowTitle(QStringLiteral("Προεπισκόπηση Εκτύπωσης"));
    setModal(true);
    printer()->setPageLayout(SheetRenderer(model_, decimal_, group_).PageLayout());
    connect(this, &QPrintPreviewDialog::paintRequested, this, &SheetPreviewDialog::Paint);

    savePdf_ = new QAction(QStringLiteral("Αποθήκευση PDF"), this);
    saveXlsx_ = new QAction(QStringLiteral("Αποθήκευση .xlsx"), this);
    saveXlsx_->setEnabled(XlsxExportAvailable());
    connect(savePdf_, &QAction::triggered, this, &SheetPreviewDialog::SavePdf);
    connect(saveXlsx_, &QAction::triggered, this, &SheetPreviewDialog::SaveXlsx);
    if (QToolBar* bar = findChild<QToolBar*>()) {
        bar->addSeparator();
        bar->addAction(savePdf_);
        bar->addAction(saveXlsx_);
    } else {
        addAction(savePdf_);
        addAction(saveXlsx_);
    }

    chooseFile_ = [this](const QString& caption, const QString& filter, const QString& suggested) {
        return QFileDialog::getSaveFileName(this, caption, suggested, filter);
    };
}

void SheetPreviewDialog::Paint(QPrinter* printer) {
    SheetRenderer(model_, decimal_, group_).Render(*printer);
}

void SheetPreviewDialog::SavePdf() {
    QString path =
        chooseFile_ ? chooseFile_(QStringLiteral("Αποθήκευση PDF"), QStringLiteral("PDF (*.pdf)"),
                                  suggested_.isEmpty() ? QString() : suggested_ + ".pdf")
                    : QString();
    if (path.isEmpty()) {
        return;
    }
    if (!path.endsWith(".pdf", Qt::CaseInsensitive)) {
        path += ".pdf";
    }
    std::string error;
    if (!WriteSheetPdf(model_, path.toStdString(), decimal_, group_, error)) {
        if (reportFailure_) {
            reportFailure_(QString::fromStdString(error));
        }
    } else if (reportSaved_) {
        reportSaved_(path);
    }
}

void SheetPreviewDialog::SaveXlsx() {
    QString path =
        chooseFile_
            ? chooseFile_(QStringLiteral("Αποθήκευση .xlsx"), QStringLiteral("Excel (*.xlsx)"),
                          suggested_.isEmpty() ? QString() : suggested_ + ".xlsx")
            : QString();
    if (path.isEmpty()) {
        return;
    }
    if (!path.endsWith(".xlsx", Qt::CaseInsensitive)) {
        path += ".xlsx";
    }
    std::string error;
    if (!WriteSheetXlsx(model_, path.toStdString(), error)) {
        if (reportFailure_) {
            reportFailure_(QString::fromStdString(error));
        }
    } else if (reportSaved_) {
        reportSaved_(path);
    }
}

} // namespace pyrostat
