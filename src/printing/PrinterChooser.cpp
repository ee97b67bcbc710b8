#include "printing/PrinterChooser.h"

#include "platform/Utf8.h"

namespace pyrostat {

std::string UpperForCompare(const std::string& utf8) {
    std::string result;
    size_t pos = 0;
    char32_t c = 0;
    while (pos < utf8.size()) {
        if (!DecodeUtf8(utf8, pos, c)) {
            result += utf8[pos - 1];
            continue;
        }
        if (c >= U'a' && c <= U'z') {
            c -= 0x20;
        } else if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) {
            c -= 0x20; // α..ω without the final sigma
        } else if (c == 0x3C2) {
            c = 0x3A3; // ς
        } else if (c == 0x3AC) {
            c = 0x386; // ά
        } else if (c >= 0x3AD && c <= 0x3AF) {
            c -= 0x25; // έ ή ί
        } else if (c == 0x3CC) {
            c = 0x38C; // ό
        } else if (c == 0x3CD || c == 0x3CE) {
            c -= 0x3F; // ύ ώ
        } else if (c == 0x3CA || c == 0x3CB) {
            c -= 0x20; // ϊ ϋ
        }
        AppendUtf8(result, c);
    }
    return result;
}

PrinterChooser::PrinterChooser(PrinterSession& session, int16_t& status, PrinterPlatform& platform,
                               PrinterSwitching& switching, MessageService& messages)
    : state_(session), status_(status), platform_(platform), switching_(switching),
      messages_(messages) {}

void PrinterChooser::FillFromDefault() {
    const std::string name = platform_.UserDefault();
    for (const PrinterDestination& printer : platform_.Destinations()) {
        if (printer.name == name) {
            current_.deviceName = printer.name;
            current_.driverName = printer.makeAndModel;
            current_.port = printer.deviceUri;
            return;
        }
    }
}

const PrinterSetup& PrinterChooser::CurrentPrinter() {
    if (current_.deviceName.empty()) {
        FillFromDefault();
    }
    return current_;
}

void PrinterChooser::ChoosePrinter(PrinterDialog& dialog) {
    const PrinterDialogAnswer answer = dialog.Show(CurrentPrinter());
    if (answer.outcome == PrinterDialogAnswer::Outcome::Cancelled) {
        status_ = kStatusPrinterCancelled;
        return;
    }
    if (answer.outcome == PrinterDialogAnswer::Outcome::Failed) {
        messages_.ShowWithBeeps("!! ΠΡΟΣΟΧΗ !!",
                                "... Σφάλμα κατά την επιλογή Εκτυπωτή (Νο " +
                                    std::to_string(answer.errorNumber) + ") ...",
                                MessageService::Icon::Critical);
        status_ = kStatusPrinterCancelled;
        return;
    }
    const std::string chosen = UpperForCompare(answer.deviceName);
    if (chosen != UpperForCompare(current_.deviceName)) {
        const PrinterDestination* found = nullptr;
        const std::vector<PrinterDestination> printers = platform_.Destinations();
        for (const PrinterDestination& printer : printers) {
            if (UpperForCompare(printer.name) == chosen) {
                found = &printer;
                break;
            }
        }
        if (found == nullptr) {
            // Printing on the former printer instead would send the report
            // somewhere the user did not choose.
            messages_.ShowWithBeeps("!! ΠΡΟΣΟΧΗ !!",
                                    "... Ο Εκτυπωτής < " + answer.deviceName +
                                        " > ΔΕΝ βρέθηκε στο Σύστημα ...",
                                    MessageService::Icon::Critical);
            status_ = kStatusPrinterCancelled;
            return;
        }
        state_.DefaultPrinterChanged = true;
        current_.deviceName = found->name;
        current_.driverName = found->makeAndModel;
        current_.port = found->deviceUri;
        // The default is switched only when the saved one can be put back:
        // without a default, or with one whose name the entry cannot carry
        // (a CUPS name with a comma in it), it is left alone. The report goes
        // to the chosen printer by name either way.
        const std::string saved = TrimBlanks(state_.SavedDefaultPrinter);
        bool canPutBack = false;
        for (const PrinterDestination& printer : printers) {
            canPutBack = canPutBack || (!saved.empty() && printer.name == saved);
        }
        if (canPutBack) {
            switching_.MakeDefaultPrinter(found->name);
        }
    }
    current_.page.orientation = answer.page.orientation;
    current_.page.paperSize = answer.page.paperSize;
    current_.page.paperSource = answer.page.paperSource;
    current_.page.copies = answer.page.copies;
    current_.page.colorMode = answer.page.colorMode;
    current_.page.duplex = answer.page.duplex;
    current_.page.resolution = answer.page.resolution;
}

} // namespace pyrostat
