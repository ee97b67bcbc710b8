#pragma once

#include "distribution/Distribution.h"
#include "distribution/ResultRecord.h"
#include "distribution/TitleBoxAccess.h"
#include "platform/MessageService.h"
#include "workspace/GridContract.h"
#include "workspace/ProgramState.h"

#include <vector>

namespace pyrostat {

// One ResultRecord per grid row 1..DataRowCnt, read left to right: the name,
// the numbers through TextToNumber held as singles, the volume, the area,
// exposure, kind and pipe factors. A kind or pipe text outside its list
// (ruled out by the check) gets the factor 0.
std::vector<ResultRecord> BuildResultRecords(GridContract& grid, ProgramState& state,
                                             bool insulated);

enum class CalculationOutcome {
    NothingToDo, // empty grid
    Stopped,     // a warning was shown, nothing written
    Written,     // "PYROSTAT.TMP" and "~mirttype.txt" are ready for the results window
    WriteFailed, // a file could not be written
};

// The calculation command up to the results window: the check, the records,
// the distribution, and the two files. The grid gets the focus back on every
// outcome but Written (the results window comes first then).
CalculationOutcome RunCalculation(GridContract& grid, ProgramState& state, MessageService& messages,
                                  const TitleBoxAccess& titleBox, bool insulated,
                                  DistributionResult* resultOut = nullptr);

} // namespace pyrostat
