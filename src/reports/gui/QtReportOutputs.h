#pragma once

#include "platform/MessageService.h"
#include "reports/ReportOutputs.h"

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace pyrostat {

// The report outputs of the program: reads the JSON templates, previews a
// filled sheet in a modal window, prints it with Qt's printing and saves it
// as PDF or .xlsx from the preview. The preview and the print can be replaced
// (the command line writes files instead of showing anything; the window
// tests do not open modal windows).
class QtReportOutputs : public ReportOutputs {
public:
    struct Hooks {
        // Shows the filled sheet; false on a failure. Unset: the preview window.
        std::function<bool(const SheetModel&)> preview;
        // Prints it. Unset: Qt's printer (an empty name is the default printer).
        std::function<void(const SheetModel&, int copies, const std::string& printer)> print;
        // Told the path of a file the preview saved (PDF or .xlsx). Unset: nothing.
        std::function<void(const std::string& path)> saved;
        // The folder and name (no extension) the preview's save dialogs suggest.
        std::string suggestedName;
    };

    QtReportOutputs(char decimalSeparator, char groupSeparator, MessageService* messages,
                    QWidget* parent, Hooks hooks = {});

    bool LoadTemplate(const std::string& path, SheetModel& sheet) override;
    bool Preview(const SheetModel& sheet) override;
    void Print(const SheetModel& sheet, int copies, const std::string& printer) override;

    static std::shared_ptr<ReportOutputs> Make(char decimalSeparator, char groupSeparator,
                                               MessageService* messages, QWidget* parent,
                                               Hooks hooks = {}) {
        return std::make_shared<QtReportOutputs>(decimalSeparator, groupSeparator, messages, parent,
                                                 std::move(hooks));
    }

private:
    void Tell(const std::string& problem);

    char decimal_;
    char group_;
    MessageService* messages_;
    QWidget* parent_;
    Hooks hooks_;
};

} // namespace pyrostat
