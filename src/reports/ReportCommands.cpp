#include "reports/ReportCommands.h"

#include "distribution/MessageByCode.h"
#include "distribution/PreRunCheck.h"
#include "distribution/ResultsFiles.h"
#include "platform/PathRoutines.h"
#include "platform/RecordFile.h"
#include "platform/Utf8.h"
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

void DeleteInputDataFile(const ProgramState& state) {
    std::remove((AddBackslash(state.ProgramFolder) + kInputDataFileName).c_str());
}

} // namespace

bool EnsureGeneralData(ProgramState& state, const ReportCommandHooks& hooks) {
    if (!GeneralDataComplete(state)) {
        if (hooks.showGeneralData) {
            (void)hooks.showGeneralData(); // what it leaves decides, O.K. or Esc
        }
    }
    return GeneralDataComplete(state);
}

void RunResultsReportCommand(ReportServices& services, const ReportCommandHooks& hooks,
                             ResultsReportKind kind, bool print) {
    if (!EnsureGeneralData(services.state, hooks)) {
        return;
    }
    const ReportJob job =
        print ? ReportJob::Print(hooks.defaultPrinter ? hooks.defaultPrinter() : std::string(), 1)
              : ReportJob::Preview();
    ShowWait(hooks, true);
    if (kind == ResultsReportKind::Formulas) {
        FormulaReport(services, job);
    } else {
        ResultsTableReport(services, job);
    }
    ShowWait(hooks, false);
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
    if (!print) {
        ShowWait(hooks, true);
        InputDataReport(services, ReportJob::Preview());
        ShowWait(hooks, false);
    } else {
        const std::optional<ReportJob> job =
            hooks.choosePrinter ? hooks.choosePrinter() : ReportJob::Print({}, 1);
        if (job) {
            ShowWait(hooks, true);
            InputDataReport(services, *job);
            ShowWait(hooks, false);
        }
    }
    // The work file goes with its command, printed or not.
    DeleteInputDataFile(state);
    grid.SetFocus();
}

} // namespace pyrostat
