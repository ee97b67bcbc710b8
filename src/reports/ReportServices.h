#pragma once

#include "platform/MessageService.h"
#include "program/ProgramState.h"
#include "reports/SheetApplication.h"

#include <functional>
#include <string>
#include <string_view>

namespace pyrostat {

// What a report routine works with: the program-wide values, the message
// boxes and the sheet engine to start.
struct ReportServices {
    ProgramState& state;
    MessageService& messages;
    SheetApplicationFactory createSheet;
};

// The template files in the program folder, and their password.
inline constexpr const char* kFormulaTemplateName = "LDKOIN_01i.json";
inline constexpr const char* kTableTemplateName = "LDKOIN_02i.json";
inline constexpr const char* kInputDataTemplateName = "LDKOIN_03i.json";
inline constexpr const char* kTemplatePassword = "(*47310586*)";

// The template of a report by the command line's name for it ("formulas",
// "table", "data"); empty for another word.
inline std::string ReportTemplateName(std::string_view kind) {
    if (kind == "formulas") {
        return kFormulaTemplateName;
    }
    if (kind == "table") {
        return kTableTemplateName;
    }
    return kind == "data" ? kInputDataTemplateName : "";
}

// The box shown when a template is missing.
inline constexpr const char* kTemplateMissingTitle =
    "Η ΕΚΤΥΠΩΣΗ - μέσω του Microsoft Excel - ΔΕΝ ΕΙΝΑΙ ΔΥΝΑΤΗ";
inline constexpr const char* kTemplateMissingPrompt = "... Λείπει κάποιο βασικό Αρχείο ...";

inline constexpr const char* kEngineerCaption = "Μελετητής : ";

// Report modes.
inline constexpr int16_t kModePreview = -1;
inline constexpr int16_t kModePrint = 0;

} // namespace pyrostat
