#include "reports/gui/QtReportOutputs.h"

#include "reports/gui/SheetPdfExport.h"
#include "reports/gui/SheetPreviewDialog.h"
#include "reports/gui/SheetTemplateLoader.h"

namespace pyrostat {

namespace {
constexpr const char* kPrintProblemTitle = "  ! !   ΠΡΟΣΟΧΗ   ! ! ";
} // namespace

QtReportOutputs::QtReportOutputs(char decimalSeparator, char groupSeparator,
                                 MessageService* messages, QWidget* parent, Hooks hooks)
    : decimal_(decimalSeparator), group_(groupSeparator), messages_(messages), parent_(parent),
      hooks_(std::move(hooks)) {}

void QtReportOutputs::Tell(const std::string& problem) {
    if (messages_) {
        messages_->ShowWithBeeps(kPrintProblemTitle, problem, MessageService::Icon::Critical);
    }
}

bool QtReportOutputs::LoadTemplate(const std::string& path, SheetModel& sheet) {
    SheetTemplateLoader loader;
    SheetModel loaded;
    if (!loader.LoadFile(QString::fromStdString(path), loaded)) {
        // The caller tells the user that the template is unusable; the detail
        // helps whoever installed it.
        qWarning("report template %s: %s", path.c_str(), qPrintable(loader.ErrorString()));
        return false;
    }
    sheet = std::move(loaded);
    return true;
}

bool QtReportOutputs::Preview(const SheetModel& sheet) {
    if (hooks_.preview) {
        return hooks_.preview(sheet);
    }
    SheetPreviewDialog dialog(sheet, decimal_, group_, parent_);
    dialog.SetFailureReporter([this](const QString& message) {
        Tell("... Η αποθήκευση ΔΕΝ έγινε ...\n" + message.toStdString());
    });
    dialog.SetSuggestedName(QString::fromStdString(hooks_.suggestedName));
    dialog.SetSavedReporter([this](const QString& path) {
        if (hooks_.saved) {
            hooks_.saved(path.toStdString());
        }
    });
    dialog.exec();
    return true;
}

void QtReportOutputs::Print(const SheetModel& sheet, int copies, const std::string& printer) {
    if (hooks_.print) {
        hooks_.print(sheet, copies, printer);
        return;
    }
    std::string error;
    if (!PrintSheet(sheet, copies, printer, true, decimal_, group_, error)) {
        Tell("... Η εκτύπωση ΔΕΝ έγινε ...\n" + error);
    }
}

} // namespace pyrostat
