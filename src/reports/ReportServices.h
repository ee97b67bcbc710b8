#pragma once

#include "platform/MessageService.h"
#include "program/ProgramState.h"
#include "reports/ReportOutputs.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace pyrostat {

// What a report routine works with: the program-wide values, the message
// boxes and the template reader and outputs of the sheets.
struct ReportServices {
    ProgramState& state;
    MessageService& messages;
    std::shared_ptr<ReportOutputs> outputs;
    // The date printed under every page ("08/12/2026"); empty: today's.
    std::string madeOn;
};

// The template files in the program folder.
inline constexpr const char* kFormulaTemplateName = "LDKOIN_01i.json";
inline constexpr const char* kTableTemplateName = "LDKOIN_02i.json";
inline constexpr const char* kInputDataTemplateName = "LDKOIN_03i.json";

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
inline constexpr const char* kMadeOnCaption = "Ημερομηνία : ";

// What a run of a report does with its sheet: shows it in the preview (from
// where it may be saved or printed), or prints it on a printer, by name, with
// its copies.
struct ReportJob {
    enum class Kind { Preview, Print };
    Kind kind = Kind::Preview;
    std::string printer; // empty: the default printer
    int copies = 1;

    static ReportJob Preview() { return {}; }
    static ReportJob Print(std::string printer, int copies) {
        return {Kind::Print, std::move(printer), copies > 0 ? copies : 1};
    }
};

} // namespace pyrostat
