#include "distribution/CalculationRun.h"

#include "distribution/MessageByCode.h"
#include "distribution/PreRunCheck.h"
#include "distribution/StudyCalculation.h"
#include "platform/Utf8.h"

#include <optional>

namespace pyrostat {

std::vector<ResultRecord> BuildResultRecords(GridContract& grid, const ProgramState& state,
                                             bool insulated) {
    return ResultRecordsOf(ReadGridRows(grid), NumberLocale::Of(state), insulated);
}

namespace {

// From the records on: the shares, the formula lines and the two files.
CalculationOutcome ShareAndWrite(DistributionResult result, const ProgramState& state,
                                 MessageService& messages, DistributionResult* resultOut) {
    if (result.stop == DistributionStop::NoRecords) {
        return CalculationOutcome::NothingToDo;
    }
    if (!result.Ok()) {
        ShowCalculationStop(messages, DistributionStopPrompt(result));
        return CalculationOutcome::Stopped;
    }
    const bool written = WriteDistributionFiles(state, result);
    if (resultOut != nullptr) {
        *resultOut = std::move(result);
    }
    return written ? CalculationOutcome::Written : CalculationOutcome::WriteFailed;
}

bool AnyCellFilled(const std::vector<StudyRow>& rows) {
    for (const StudyRow& row : rows) {
        for (const std::string& cell : row) {
            if (!cell.empty()) {
                return true;
            }
        }
    }
    return false;
}

// Where a check that did not pass leaves the run; nothing when it passed.
std::optional<CalculationOutcome> StopOf(CheckResult check) {
    switch (check) {
    case CheckResult::NothingToDo:
        return CalculationOutcome::NothingToDo;
    case CheckResult::Stopped:
        return CalculationOutcome::Stopped;
    case CheckResult::Passed:
        break;
    }
    return std::nullopt;
}

} // namespace

CalculationOutcome RunCalculation(GridContract& grid, ProgramState& state, MessageService& messages,
                                  const TitleBoxAccess& titleBox, bool insulated,
                                  DistributionResult* resultOut) {
    const PreRunOutcome checked = RunPreRunCheck(grid, state, messages, titleBox);
    if (const auto stop = StopOf(checked.result)) {
        return *stop;
    }
    // The cells as the check read them, each once.
    const CalculationOutcome outcome =
        ShareAndWrite(CalculateDistribution(
                          ResultRecordsOf(checked.checked.rows, checked.checked.numbers, insulated),
                          NumberLocale::Of(state)),
                      state, messages, resultOut);
    if (outcome != CalculationOutcome::Written) {
        grid.SetFocus();
    }
    return outcome;
}

CalculationOutcome RunStudyCalculation(const std::vector<StudyRow>& rows, std::string_view title,
                                       ProgramState& state, MessageService& messages,
                                       bool insulated, DistributionResult* resultOut) {
    if (!AnyCellFilled(rows)) {
        return CalculationOutcome::NothingToDo;
    }
    state.StudyTitle = TrimBlanks(title);
    if (!StudyTitleGiven(state.StudyTitle, messages)) {
        return CalculationOutcome::Stopped;
    }
    const NumberLocale locale = NumberLocale::Of(state);
    const StudyCheckResult checked = CheckStudyRows(rows, locale);
    if (const auto stop = StopOf(ShowStudyCheck(checked, messages))) {
        return *stop;
    }
    return ShareAndWrite(
        CalculateDistribution(ResultRecordsOf(checked.rows, checked.numbers, insulated), locale),
        state, messages, resultOut);
}

} // namespace pyrostat
