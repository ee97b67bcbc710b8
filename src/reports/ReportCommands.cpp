#include "reports/ReportCommands.h"

#include "distribution/MessageByCode.h"
#include "distribution/PreRunCheck.h"
#include "distribution/ResultsFiles.h"
#include "platform/PathRoutines.h"
#include "platform/RecordFile.h"
#include "platform/Utf8.h"
#include "program/StatusCodes.h"
#include "reports/FormulaReport.h"
#include "reports/InputDataReport.h"
#include "reports/ResultsTableReport.h"
#include "studies/StudyRecords.h"

#include <cstdio>

namespace pyrostat {

namespace {

void ShowWait(const ReportCommandHooks& hooks, bool shown) {
    if (hooks.showWait) {
        hooks.showWait(shown);
    }
}

// SavedDefaultPrinter is the default printer's name up to its first comma.
void SaveDefaultPrinter(PrinterSession& state, const ReportCommandHooks& hooks) {
    if (!hooks.defaultPrinterName) {
        return;
    }
    const std::string name = hooks.defaultPrinterName();
    state.SavedDefaultPrinter = name.substr(0, name.find(','));
}

void RestoreIfChanged(PrinterSession& state, const ReportCommandHooks& hooks) {
    if (state.DefaultPrinterChanged) {
        if (hooks.restoreDefaultPrinter) {
            hooks.restoreDefaultPrinter();
        }
        state.DefaultPrinterChanged = false;
    }
}

void DeleteInputDataFile(const ProgramState& state) {
    std::remove((AddBackslash(state.ProgramFolder) + kInputDataFileName).c_str());
}

} // namespace

bool EnsureGeneralData(ProgramState& state, const ReportCommandHooks& hooks) {
    if (!GeneralDataComplete(state)) {
        if (hooks.showGeneralData) {
            hooks.showGeneralData();
        }
        TakeStatus(state.StatusCode, kStatusGeneralDataEscaped);
    }
    return GeneralDataComplete(state);
}

void RunResultsReportCommand(ReportServices& services, const ReportCommandHooks& hooks,
                             ResultsReportKind kind, int16_t mode) {
    ProgramState& state = services.state;
    if (!EnsureGeneralData(state, hooks)) {
        return;
    }
    SaveDefaultPrinter(state, hooks);
    if (mode == kModePrint && TakeStatus(state.StatusCode, kStatusPrinterCancelled)) {
        // A printer choice cancelled earlier: nothing is printed.
        return;
    }
    ShowWait(hooks, true);
    int16_t Mode = mode;
    std::string PrinterName;
    int16_t Copies = 1;
    if (kind == ResultsReportKind::Formulas) {
        FormulaReport(services, Mode, PrinterName, Copies);
    } else {
        ResultsTableReport(services, Mode, PrinterName, Copies);
    }
    ShowWait(hooks, false);
    RestoreIfChanged(state, hooks);
}

bool WriteInputDataFile(GridContract& grid, const ProgramState& state, const std::string& title,
                        bool insulation) {
    DeleteInputDataFile(state);
    const std::vector<StudyRow> rows = ReadGridRows(grid);
    return WriteWholeFile(AddBackslash(state.ProgramFolder) + kInputDataFileName,
                          EncodeStudyRecords(rows, title, insulation, state));
}

void RunInputDataCommand(GridContract& grid, const TitleBoxAccess& titleBox, bool insulation,
                         ReportServices& services, const ReportCommandHooks& hooks, bool print) {
    ProgramState& state = services.state;
    if (grid.DataRowCnt() == 0) {
        return;
    }
    state.StudyTitle = TrimBlanks(titleBox.Text());
    if (state.StudyTitle.empty()) {
        services.messages.Show(kNoTitleTitle, kNoTitlePrompt, MessageService::Icon::Critical);
        titleBox.Clear();
        titleBox.Focus();
        return;
    }

    int outcome = CompactRows(grid);
    if (HasZeroAreaOrHeight(grid, state)) {
        outcome = kCheckZeroAreaOrHeight;
    }
    if (outcome == kCheckZeroAreaOrHeight || outcome == kCheckIncomplete) {
        ShowMessageByCode(services.messages, outcome);
        grid.SetFocus();
        return;
    }

    if (!EnsureGeneralData(state, hooks)) {
        grid.SetFocus();
        return;
    }

    if (!WriteInputDataFile(grid, state, state.StudyTitle, insulation)) {
        // Without its work file the report would print an empty table.
        services.messages.ShowWithBeeps(kWorkFileProblemTitle, kWorkFileProblemPrompt,
                                        MessageService::Icon::Critical);
        DeleteInputDataFile(state);
        grid.SetFocus();
        return;
    }
    SaveDefaultPrinter(state, hooks);

    std::string PrinterName;
    if (!print) {
        ShowWait(hooks, true);
        int16_t Mode = kModePreview;
        int16_t Copies = 1;
        InputDataReport(services, Mode, PrinterName, Copies);
        ShowWait(hooks, false);
    } else {
        if (hooks.choosePrinter) {
            hooks.choosePrinter();
        }
        if (TakeStatus(state.StatusCode, kStatusPrinterCancelled)) {
            ShowWait(hooks, false);
            // The work file goes now too, so that it never outlives its command.
            DeleteInputDataFile(state);
            grid.SetFocus();
            return;
        }
        ShowWait(hooks, true);
        PrinterName = hooks.currentPrinterName ? hooks.currentPrinterName() : std::string();
        int copies = hooks.currentPrinterCopies ? hooks.currentPrinterCopies() : 1;
        int16_t Copies = static_cast<int16_t>(copies <= 0 ? 1 : copies);
        int16_t Mode = kModePrint;
        InputDataReport(services, Mode, PrinterName, Copies);
        if (hooks.restoreDefaultPrinter) {
            hooks.restoreDefaultPrinter();
        }
        ShowWait(hooks, false);
    }

    DeleteInputDataFile(state);
    RestoreIfChanged(state, hooks);
    grid.SetFocus();
}

} // namespace pyrostat
