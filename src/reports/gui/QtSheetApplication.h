#pragma once

#include "platform/MessageService.h"
#include "reports/ModelSheetApplication.h"

#include <functional>
#include <string>

class QWidget;

namespace pyrostat {

// The report engine of the program: reads the JSON templates, fills the sheet
// model, previews it in a modal window, prints it with Qt's printing and saves
// it as PDF or .xlsx. The preview and the print can be replaced (the command
// line writes files instead of showing anything; the window tests do not open
// modal windows).
class QtSheetApplication : public ModelSheetApplication {
public:
    struct Outputs {
        // Shows the filled sheet; false on a failure. Unset: the preview window.
        std::function<bool(const SheetModel&)> preview;
        // Prints it. Unset: Qt's printer (an empty name is the current printer).
        std::function<void(const SheetModel&, int copies, const std::string& printer, bool collate)>
            print;
        // Told the path of a file the preview saved (PDF or .xlsx). Unset: nothing.
        std::function<void(const std::string& path)> saved;
        // The folder and name (no extension) the preview's save dialogs suggest.
        std::string suggestedName;
    };

    QtSheetApplication(char decimalSeparator, char groupSeparator, MessageService* messages,
                       QWidget* parent, Outputs outputs = {});

    bool PrintPreview() override;
    void PrintOut(int copies, const std::string& printerName, bool collate) override;

    // The engine factory for the report routines.
    static SheetApplicationFactory Factory(char decimalSeparator, char groupSeparator,
                                           MessageService* messages, QWidget* parent,
                                           Outputs outputs = {});

protected:
    bool LoadTemplate(const std::string& path, SheetModel& model) override;

private:
    void Tell(const std::string& problem);

    char decimal_;
    char group_;
    MessageService* messages_;
    QWidget* parent_;
    Outputs outputs_;
};

} // namespace pyrostat
