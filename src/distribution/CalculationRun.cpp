#include "distribution/CalculationRun.h"

#include "distribution/FactorTables.h"
#include "distribution/MessageByCode.h"
#include "distribution/PreRunCheck.h"
#include "distribution/TextToNumber.h"
#include "platform/Utf8.h"
#include "workspace/GridLayout.h"

namespace pyrostat {

std::vector<ResultRecord> BuildResultRecords(GridContract& grid, ProgramState& state,
                                             bool insulated) {
    const int n = grid.DataRowCnt();
    std::vector<ResultRecord> records;
    records.reserve(static_cast<size_t>(n));
    for (int k = 1; k <= n; ++k) {
        grid.SetRow(k);
        ResultRecord r;
        r.RowNo = static_cast<int16_t>(k);
        auto number = [&](int col) {
            grid.SetCol(col);
            return static_cast<float>(TextToNumber(state, grid.Text()));
        };
        grid.SetCol(1);
        r.PropertyName = Utf8Left(TrimBlanks(grid.Text()), ResultRecord::kNameWidth);
        r.TotalLosses = number(2);
        r.OpeningLosses = number(3);
        r.VentilationLosses = number(4);
        r.Area = number(5);
        r.AreaFactor = AreaFactorFor(r.Area);
        r.MeanHeight = number(6);
        r.Volume = static_cast<float>(static_cast<double>(r.Area) * r.MeanHeight);
        r.LengthToExterior = number(7);
        r.LengthToUnheated = number(8);
        r.LengthToHeated = number(9);
        const Exposure exposure =
            ExposureOf(r.LengthToExterior, r.LengthToUnheated, r.LengthToHeated, r.MeanHeight);
        r.ExposedWallArea = exposure.exposedWallArea;
        r.LateralWallArea = exposure.lateralWallArea;
        r.ExposureRatio = exposure.ratio;
        r.ExposureFactor = ExposureFactorFor(exposure.ratio);
        grid.SetCol(kKindColumn);
        KindFactorFor(grid.Text(), insulated, r.KindFactor);
        grid.SetCol(kPipeColumn);
        PipeFactorFor(grid.Text(), r.PipeFactor);
        records.push_back(r);
    }
    return records;
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
        CalculateDistribution(BuildResultRecords(grid, state, insulated), state);
    if (result.stop == DistributionStop::NoRecords) {
        // Nothing to show: the status word says so only for the moment.
        state.StatusCode = 0;
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
