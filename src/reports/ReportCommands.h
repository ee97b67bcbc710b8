#pragma once

#include "distribution/TitleBoxAccess.h"
#include "reports/ReportServices.h"
#include "workspace/GridContract.h"

#include <functional>
#include <optional>
#include <string>

namespace pyrostat {

// What the report commands reach besides the report routines: the general
// data dialog, the wait label, and the printer. Every member may be left
// unset.
struct ReportCommandHooks {
    // The general data dialog, modal; true when it was left with O.K.
    std::function<bool()> showGeneralData;
    // Shows (true) or hides (false) the wait label and repaints it.
    std::function<void(bool)> showWait;
    // The printer choice of the main window's print: the printer and copies
    // chosen, or nothing when the choice was cancelled (or failed, told).
    // Unset: the default printer, one copy.
    std::function<std::optional<ReportJob>()> choosePrinter;
    // The printer of the results window's print buttons, by name. Unset: the
    // default printer.
    std::function<std::string()> defaultPrinter;
};

enum class ResultsReportKind { Formulas, Table };

// Makes sure employer, project and location are filled in, showing the general
// data dialog when one is empty. True when all three are there afterwards.
bool EnsureGeneralData(ProgramState& state, const ReportCommandHooks& hooks);

// The four report buttons of the results window: the formula or the table
// report, previewed or (`print`) printed on the default printer.
void RunResultsReportCommand(ReportServices& services, const ReportCommandHooks& hooks,
                             ResultsReportKind kind, bool print);

// The input-data commands of the main window: preview (`print` false) and
// print. Checks the grid (compaction, zero area or height), the general data,
// writes "S_PYROS.TMP" afresh from the grid, runs the report and deletes the
// work file again.
void RunInputDataCommand(GridContract& grid, const TitleBoxAccess& titleBox, bool insulation,
                         ReportServices& services, const ReportCommandHooks& hooks, bool print);

// Writes "S_PYROS.TMP" in the program folder: the old file is removed first so
// that no record of an earlier, longer grid survives. False when it cannot be
// written.
bool WriteInputDataFile(GridContract& grid, const ProgramState& state, const std::string& title,
                        bool insulation);

// The box shown when the study has no title.
inline constexpr const char* kNoTitlePrompt = "ΔΩΣΤΕ ΤΟ ΘΕΜΑ ΤΗΣ ΜΕΛΕΤΗΣ";
inline constexpr const char* kNoTitleTitle = "!... ΠΡΟΣΟΧΗ !...";
inline constexpr const char* kWaitCaption = "... ΠΑΡΑΚΑΛΩ, ΠΕΡΙΜΕΝΕΤΕ ...";
// The box shown when the work file of the input-data report cannot be written.
inline constexpr const char* kWorkFileProblemTitle = "!! ΠΡΟΣΟΧΗ !!";
inline constexpr const char* kWorkFileProblemPrompt =
    "... ΔΕΝ είναι δυνατή η εγγραφή του αρχείου εργασίας S_PYROS.TMP στον φάκελο του "
    "προγράμματος ...";

} // namespace pyrostat
