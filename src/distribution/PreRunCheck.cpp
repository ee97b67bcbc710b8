#include "distribution/PreRunCheck.h"

#include "distribution/MessageByCode.h"
#include "platform/Utf8.h"
#include "workspace/GridLayout.h"
#include "workspace/NumberText.h"

#include <algorithm>

namespace pyrostat {

namespace {

constexpr int kAreaColumn = 5;
constexpr int kHeightColumn = 6;
constexpr int kFirstLengthColumn = 7;
constexpr int kLastLengthColumn = 9;
constexpr int kTotalLossesColumn = 2;

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

bool InList(const std::string& text, const std::vector<std::string>& list) {
    return std::find(list.begin(), list.end(), text) != list.end();
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
            if (TextToNumber(TextAt(grid, i, c), NumberLocale::Of(separators)) == 0.0) {
                zero = true;
                break;
            }
        }
    }
    return zero;
}

bool HasMissingKindOrPipe(GridContract& grid) {
    bool missing = false;
    const int n = grid.DataRowCnt();
    for (int i = 1; i <= n; ++i) {
        for (const int c : {kKindColumn, kPipeColumn}) {
            const std::string text = TextAt(grid, i, c);
            if (text.empty() || !InList(text, ListTexts(c))) {
                missing = true;
                break;
            }
        }
    }
    return missing;
}

int FirstRowWithoutLateralLength(GridContract& grid, const NumberSeparators& separators) {
    const int n = grid.DataRowCnt();
    for (int i = 1; i <= n; ++i) {
        int zeros = 0;
        for (int c = kFirstLengthColumn; c <= kLastLengthColumn; ++c) {
            if (TextToNumber(TextAt(grid, i, c), NumberLocale::Of(separators)) == 0.0) {
                ++zeros;
            }
        }
        if (zeros == kLastLengthColumn - kFirstLengthColumn + 1) {
            grid.SetRow(i);
            return i;
        }
    }
    return 0;
}

float TotalLossesOfGrid(GridContract& grid, const NumberSeparators& separators) {
    float total = 0.0f;
    const int n = grid.DataRowCnt();
    for (int i = 1; i <= n; ++i) {
        const float losses = static_cast<float>(
            TextToNumber(TextAt(grid, i, kTotalLossesColumn), NumberLocale::Of(separators)));
        total = static_cast<float>(static_cast<double>(total) + static_cast<double>(losses));
    }
    return total;
}

std::string ZeroTotalLossesPrompt() {
    return "... Οι Συνολικές Απώλειες του Κτιρίου είναι ΜΗΔΕΝΙΚΕΣ: ΔΕΝ είναι δυνατός ο "
           "Υπολογισμός ...\r";
}

CheckResult RunPreRunCheck(GridContract& grid, ProgramState& state, MessageService& messages,
                           const TitleBoxAccess& titleBox) {
    if (grid.DataRowCnt() == 0) {
        return CheckResult::NothingToDo;
    }
    state.StudyTitle = TrimBlanks(titleBox.Text());
    if (state.StudyTitle.empty()) {
        messages.Show("!... ΠΡΟΣΟΧΗ !...", "ΔΩΣΤΕ ΤΟ ΘΕΜΑ ΤΗΣ ΜΕΛΕΤΗΣ",
                      MessageService::Icon::Critical);
        titleBox.Clear();
        titleBox.Focus();
        return CheckResult::Stopped;
    }

    int outcome = CompactRows(grid);
    if (HasZeroAreaOrHeight(grid, state)) {
        outcome = kCheckZeroAreaOrHeight;
    }
    if (HasMissingKindOrPipe(grid)) {
        outcome = kCheckIncomplete;
    }
    if (FirstRowWithoutLateralLength(grid, state) != 0) {
        outcome = kCheckNoLateralLength;
        state.MessageRow = grid.Row();
    }
    if (outcome != 0) {
        ShowMessageByCode(messages, state, outcome);
        grid.SetFocus();
        return CheckResult::Stopped;
    }
    // Every share is a part of the building's losses: with none there is
    // nothing to share out (and the demand would be divided by zero).
    if (TotalLossesOfGrid(grid, state) == 0.0f) {
        ShowCalculationStop(messages, ZeroTotalLossesPrompt());
        grid.SetFocus();
        return CheckResult::Stopped;
    }
    return CheckResult::Passed;
}

} // namespace pyrostat
