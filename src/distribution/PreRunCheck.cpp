#include "distribution/PreRunCheck.h"

#include "distribution/MessageByCode.h"
#include "distribution/StudyCalculation.h"
#include "platform/Utf8.h"
#include "workspace/GridLayout.h"
#include "workspace/NumberText.h"

namespace pyrostat {

namespace {

constexpr int kAreaColumn = 5;
constexpr int kHeightColumn = 6;

// The row (from 1) whose cells are all empty, 0 when none; -1 when the last
// column is empty in every row.
int FindEmptyRow(GridContract& grid) {
    const int n = grid.DataRowCnt();
    for (int i = 1; i <= n; ++i) {
        grid.SetRow(i);
        if (grid.DataColCnt() != grid.MaxCols()) {
            return -1;
        }
        int empty = 0;
        for (int c = 1; c <= grid.MaxCols(); ++c) {
            grid.SetCol(c);
            if (grid.Text().empty()) {
                ++empty;
            }
        }
        if (empty == grid.MaxCols()) {
            return i;
        }
    }
    return 0;
}

} // namespace

int CompactRows(GridContract& grid) {
    for (;;) {
        const int found = FindEmptyRow(grid);
        if (found < 0) {
            return -1;
        }
        if (found == 0) {
            return 0;
        }
        grid.SetRow(found);
        grid.Action(GridContract::kActionDeleteRow);
        grid.SetFocus();
    }
}

bool HasZeroAreaOrHeight(GridContract& grid, const NumberSeparators& separators) {
    bool zero = false;
    const int n = grid.DataRowCnt();
    for (int i = 1; i <= n; ++i) {
        for (const int c : {kAreaColumn, kHeightColumn}) {
            if (CellValue(TextAt(grid, i, c), NumberLocale::Of(separators)) == 0.0) {
                zero = true;
                break;
            }
        }
    }
    return zero;
}

std::string ZeroTotalLossesPrompt() {
    return "... Οι Συνολικές Απώλειες του Κτιρίου είναι ΜΗΔΕΝΙΚΕΣ: ΔΕΝ είναι δυνατός ο "
           "Υπολογισμός ...\r";
}

bool StudyTitleGiven(std::string_view trimmedTitle, MessageService& messages) {
    if (trimmedTitle.empty()) {
        messages.Show("!... ΠΡΟΣΟΧΗ !...", "ΔΩΣΤΕ ΤΟ ΘΕΜΑ ΤΗΣ ΜΕΛΕΤΗΣ",
                      MessageService::Icon::Critical);
        return false;
    }
    return true;
}

CheckResult ShowStudyCheck(const StudyCheckResult& checked, MessageService& messages) {
    switch (checked.check) {
    case StudyCheck::Passed:
        return CheckResult::Passed;
    case StudyCheck::NoProperties:
        return CheckResult::NothingToDo;
    case StudyCheck::ZeroTotalLosses:
        // Every share is a part of the building's losses: with none there is
        // nothing to share out (and the demand would be divided by zero).
        ShowCalculationStop(messages, ZeroTotalLossesPrompt());
        break;
    case StudyCheck::Incomplete:
    case StudyCheck::ZeroAreaOrHeight:
    case StudyCheck::NoLateralLength:
        ShowMessageByCode(messages, static_cast<int>(checked.check), checked.row);
        break;
    }
    return CheckResult::Stopped;
}

PreRunOutcome RunPreRunCheck(GridContract& grid, ProgramState& state, MessageService& messages,
                             const TitleBoxAccess& titleBox) {
    PreRunOutcome out;
    if (grid.DataRowCnt() == 0) {
        return out;
    }
    state.StudyTitle = TrimBlanks(titleBox.Text());
    if (!StudyTitleGiven(state.StudyTitle, messages)) {
        titleBox.Clear();
        titleBox.Focus();
        out.result = CheckResult::Stopped;
        return out;
    }

    // The window moves the rows below an empty one up; the check itself is
    // the one of the plain rows.
    CompactRows(grid);
    out.checked = CheckStudyRows(ReadGridRows(grid), NumberLocale::Of(state));
    if (out.checked.check == StudyCheck::NoLateralLength) {
        grid.SetRow(out.checked.row);
    }
    out.result = ShowStudyCheck(out.checked, messages);
    if (out.result == CheckResult::Stopped) {
        grid.SetFocus();
    }
    return out;
}

} // namespace pyrostat
