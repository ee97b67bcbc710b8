#include "printing/PrinterChooser.h"

#include "platform/Utf8.h"

#include <algorithm>

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

PrinterChooser::PrinterChooser(PrinterPlatform& platform, MessageService& messages)
    : platform_(platform), messages_(messages) {}

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

std::optional<PrinterSetup> PrinterChooser::ChoosePrinter(PrinterDialog& dialog) {
    const PrinterDialogAnswer answer = dialog.Show(CurrentPrinter());
    if (answer.outcome == PrinterDialogAnswer::Outcome::Cancelled) {
        return std::nullopt;
    }
    if (answer.outcome == PrinterDialogAnswer::Outcome::Failed) {
        messages_.ShowWithBeeps("!! ΠΡΟΣΟΧΗ !!",
                                "... Σφάλμα κατά την επιλογή Εκτυπωτή (Νο " +
                                    std::to_string(answer.errorNumber) + ") ...",
                                MessageService::Icon::Critical);
        return std::nullopt;
    }
    const std::string chosen = UpperForCompare(answer.deviceName);
    if (chosen != UpperForCompare(current_.deviceName)) {
        const std::vector<PrinterDestination> printers = platform_.Destinations();
        const auto found =
            std::find_if(printers.begin(), printers.end(), [&](const PrinterDestination& p) {
                return UpperForCompare(p.name) == chosen;
            });
        if (found == printers.end()) {
            // Printing on the former printer instead would send the report
            // somewhere the user did not choose.
            messages_.ShowWithBeeps("!! ΠΡΟΣΟΧΗ !!",
                                    "... Ο Εκτυπωτής < " + answer.deviceName +
                                        " > ΔΕΝ βρέθηκε στο Σύστημα ...",
                                    MessageService::Icon::Critical);
            return std::nullopt;
        }
        current_.deviceName = found->name;
        current_.driverName = found->makeAndModel;
        current_.port = found->deviceUri;
    }
    current_.page = answer.page;
    return current_;
}

} // namespace pyrostat
