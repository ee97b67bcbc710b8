#include "distribution/CalculationRun.h"

#include "distribution/MessageByCode.h"
#include "distribution/PreRunCheck.h"
#include "distribution/StudyCalculation.h"

namespace pyrostat {

std::vector<ResultRecord> BuildResultRecords(GridContract& grid, const ProgramState& state,
                                             bool insulated) {
    return ResultRecordsOf(ReadGridRows(grid), NumberLocale::Of(state), insulated);
}

CalculationOutcome RunCalculation(GridContract& grid, ProgramState& state, MessageService& messages,
                                  const TitleBoxAccess& titleBox, bool insulated,
                                  DistributionResult* resultOut) {
    switch (RunPreRunCheck(grid, state, messages, titleBox)) {
    case CheckResult::NothingToDo:
        return CalculationOutcome::NothingToDo;
    case CheckResult::Stopped:
        return CalculationOutcome::Stopped;
    case CheckResult::Passed:
        break;
    }
    DistributionResult result =
        CalculateDistribution(BuildResultRecords(grid, state, insulated), NumberLocale::Of(state));
    if (result.stop == DistributionStop::NoRecords) {
        grid.SetFocus();
        return CalculationOutcome::NothingToDo;
    }
    if (!result.Ok()) {
        ShowCalculationStop(messages, DistributionStopPrompt(result));
        grid.SetFocus();
        return CalculationOutcome::Stopped;
    }
    const bool written = WriteDistributionFiles(state, result);
    if (resultOut != nullptr) {
        *resultOut = std::move(result);
    }
    if (!written) {
        grid.SetFocus();
        return CalculationOutcome::WriteFailed;
    }
    return CalculationOutcome::Written;
}

} // namespace pyrostat
