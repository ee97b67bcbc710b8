#include "reports/gui/QtSheetApplication.h"

#include "reports/gui/SheetPdfExport.h"
#include "reports/gui/SheetPreviewDialog.h"
#include "reports/gui/SheetTemplateLoader.h"

namespace pyrostat {

namespace {
constexpr const char* kPrintProblemTitle = "  ! !   ΠΡΟΣΟΧΗ   ! ! ";
} // namespace

QtSheetApplication::QtSheetApplication(char decimalSeparator, char groupSeparator,
                                       MessageService* messages, QWidget* parent, Outputs outputs)
    : decimal_(decimalSeparator), group_(groupSeparator), messages_(messages), parent_(parent),
      outputs_(std::move(outputs)) {}

SheetApplicationFactory QtSheetApplication::Factory(char decimalSeparator, char groupSeparator,
                                                    MessageService* messages, QWidget* parent,
                                                    Outputs outputs) {
    return [=]() -> std::shared_ptr<SheetApplication> {
        return std::make_shared<QtSheetApplication>(decimalSeparator, groupSeparator, messages,
                                                    parent, outputs);
    };
}

void QtSheetApplication::Tell(const std::string& problem) {
    if (messages_) {
        messages_->ShowWithBeeps(kPrintProblemTitle, problem, MessageService::Icon::Critical);
    }
}

bool QtSheetApplication::LoadTemplate(const std::string& path, SheetModel& model) {
    SheetTemplateLoader loader;
    if (!loader.LoadFile(QString::fromStdString(path), model)) {
        // The caller tells the user that the template is unusable; the detail
        // helps whoever installed it.
        qWarning("report template %s: %s", path.c_str(), qPrintable(loader.ErrorString()));
        return false;
    }
    return true;
}

bool QtSheetApplication::PrintPreview() {
    if (outputs_.preview) {
        return outputs_.preview(Model());
    }
    SheetPreviewDialog dialog(Model(), decimal_, group_, parent_);
    dialog.SetFailureReporter([this](const QString& message) {
        Tell("... Η αποθήκευση ΔΕΝ έγινε ...\n" + message.toStdString());
    });
    dialog.SetSuggestedName(QString::fromStdString(outputs_.suggestedName));
    dialog.SetSavedReporter([this](const QString& path) {
        if (outputs_.saved) {
            outputs_.saved(path.toStdString());
        }
    });
    dialog.exec();
    return true;
}

void QtSheetApplication::PrintOut(int copies, const std::string& printerName, bool collate) {
    if (outputs_.print) {
        outputs_.print(Model(), copies, printerName, collate);
        return;
    }
    std::string error;
    if (!PrintSheet(Model(), copies, printerName, collate, decimal_, group_, error)) {
        Tell("... Η εκτύπωση ΔΕΝ έγινε ...\n" + error);
    }
}

} // namespace pyrostat
