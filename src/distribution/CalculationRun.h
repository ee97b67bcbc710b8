#pragma once

#include "distribution/Distribution.h"
#include "distribution/ResultRecord.h"
#include "distribution/TitleBoxAccess.h"
#include "platform/MessageService.h"
#include "program/ProgramState.h"
#include "workspace/GridContract.h"
#include "workspace/GridRows.h"

#include <string_view>
#include <vector>

namespace pyrostat {

// One ResultRecord per grid row 1..DataRowCnt (ResultRecordsOf the grid's
// rows with the state's separators).
std::vector<ResultRecord> BuildResultRecords(GridContract& grid, const ProgramState& state,
                                             bool insulated);

enum class CalculationOutcome {
    NothingToDo, // empty grid
    Stopped,     // a warning was shown, nothing written
    Written,     // "PYROSTAT.TMP" and "~mirttype.txt" are ready for the results window
    WriteFailed, // a file could not be written
};

// The calculation command up to the results window: the check, the question
// on entries a building hardly has (No, the default, stops with the first
// one's cell current), the records, the distribution, and the two files. The grid gets the focus
// back on every outcome but Written (the results window comes first then).
CalculationOutcome RunCalculation(GridContract& grid, ProgramState& state, MessageService& messages,
                                  const TitleBoxAccess& titleBox, bool insulated,
                                  DistributionResult* resultOut = nullptr);

// The same run on the rows of a study, with its title, as the command line
// runs it: the same checks, boxes, shares and files, without a grid; the
// entries a building hardly has are listed and calculated all the same.
CalculationOutcome RunStudyCalculation(const std::vector<StudyRow>& rows, std::string_view title,
                                       ProgramState& state, MessageService& messages,
                                       bool insulated, DistributionResult* resultOut = nullptr);

} // namespace pyrostat
