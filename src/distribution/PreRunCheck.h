#pragma once

#include "distribution/StudyCalculation.h"
#include "distribution/TitleBoxAccess.h"
#include "platform/MessageService.h"
#include "program/ProgramState.h"
#include "workspace/GridContract.h"

#include <string>
#include <string_view>

namespace pyrostat {

// Outcome codes of the scans; the negative ones are also the message codes.
inline constexpr int kCheckIncomplete = -1;
inline constexpr int kCheckZeroAreaOrHeight = -2;
inline constexpr int kCheckNoLateralLength = -3;

// Removes the rows whose eleven cells are all empty, so that the rows below
// move up. Returns -1 (and removes nothing more) when the pipe column is empty
// in every row, else 0.
int CompactRows(GridContract& grid);

// Whether some row reads 0 in the area or the mean-height column.
bool HasZeroAreaOrHeight(GridContract& grid, const NumberSeparators& separators);

// The Greek prompt for a building whose total losses are zero.
std::string ZeroTotalLossesPrompt();

enum class CheckResult {
    NothingToDo, // empty grid: no message, nothing done
    Stopped,     // a warning was shown; the grid has the focus
    Passed,      // the run may go on with DataRowCnt rows
};

// Whether the run has a title to be signed with (blanks trimmed already); an
// empty one is told and stops the run.
bool StudyTitleGiven(std::string_view trimmedTitle, MessageService& messages);

// The box of a check that did not pass (Stopped), or what the check lets the
// run do.
CheckResult ShowStudyCheck(const StudyCheckResult& checked, MessageService& messages);

// What the check before a calculation found: where it leaves the run, and
// the rows it checked with their numbers (the kind and the row of a fault in
// `checked`).
struct PreRunOutcome {
    CheckResult result = CheckResult::NothingToDo;
    StudyCheckResult checked;
};

// The whole check before a calculation: the title, the compaction, the three
// scans with their precedence (-3 over -1 over -2) and the zero-losses stop.
// Sets StudyTitle; a row fault puts the grid's cursor on its row.
PreRunOutcome RunPreRunCheck(GridContract& grid, ProgramState& state, MessageService& messages,
                             const TitleBoxAccess& titleBox);

} // namespace pyrostat
