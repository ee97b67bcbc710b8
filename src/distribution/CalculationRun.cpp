#include "distribution/CalculationRun.h"

#include "distribution/MessageByCode.h"
#include "distribution/Plausibility.h"
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
    // Entries the cells take but a building hardly has: the engineer decides.
    const std::vector<ImplausibleEntry> implausible =
        FindImplausibleEntries(checked.checked.numbers);
    if (!implausible.empty() &&
        messages.Show(kImplausibleTitle,
                      ImplausibleEntriesQuestion(implausible, NumberLocale::Of(state)),
                      MessageService::Icon::Question, MessageService::Buttons::YesNo,
                      MessageService::Answer::No) != MessageService::Answer::Yes) {
        grid.SetRow(implausible.front().row);
        grid.SetCol(implausible.front().col);
        grid.Action(GridContract::kActionGoToCell);
        grid.SetFocus();
        return CalculationOutcome::Stopped;
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
    // Told, and calculated all the same: the numbers are the engineer's call.
    const std::vector<ImplausibleEntry> implausible = FindImplausibleEntries(checked.numbers);
    if (!implausible.empty()) {
        std::string lines = "Τιμές που δεν μοιάζουν με τιμές κτιρίου (ο υπολογισμός γίνεται με "
                            "αυτές· ελέγξτε τις):";
        for (const ImplausibleEntry& entry : implausible) {
            lines += "\n" + ImplausibleEntryLine(entry, locale);
        }
        messages.Show(kImplausibleTitle, lines, MessageService::Icon::Exclamation);
    }
    return ShareAndWrite(
        CalculateDistribution(ResultRecordsOf(checked.rows, checked.numbers, insulated), locale),
        state, messages, resultOut);
}

} // namespace pyrostat
