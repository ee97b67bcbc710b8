#include "distribution/PreRunCheck.h"
#include "distribution/MessageByCode.h"
#include "distribution/StudyGrids.h"
#include "support/RecordingMessages.h"

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

using test::GridRowTexts;
using test::RecordingMessages;

GridRowTexts Flat(const std::string& name) {
    return {name, "3000", "500", "300", "60", "3", "4", "2", "6", "ΕΝΔΙΑΜΕΣΟ", "ΕΚΤΟΣ ΙΔΙΟΚΤ."};
}

struct Check {
    CheckResult result;
    StudyCheckResult checked;
    RecordingMessages messages;
    std::string titleAfter;
    int titleFocus = 0;
};

Check RunCheck(MemoryGrid& grid, ProgramState& state, const std::string& title = "Μελέτη") {
    Check c;
    c.titleAfter = title;
    TitleBoxAccess box;
    box.text = [&c] { return c.titleAfter; };
    box.clear = [&c] { c.titleAfter.clear(); };
    box.focus = [&c] { ++c.titleFocus; };
    const PreRunOutcome outcome = RunPreRunCheck(grid, state, c.messages, box);
    c.result = outcome.result;
    c.checked = outcome.checked;
    return c;
}

TEST(ShowMessageByCode, FixedBoxes) {
    struct Case {
        int code;
        std::string title;
        std::string prompt;
        MessageService::Icon icon;
    };
    const Case cases[] = {
        {-1, "!! ΠΡΟΣΟΧΗ !!", "... Ελλιπείς Καταχωρήσεις Ιδιοκτησιών ...\r",
         MessageService::Icon::Critical},
        {-2, "!! ΠΡΟΣΟΧΗ !!",
         "... Εμβαδόν και Ύψος, για οποιαδήποτε Ιδιοκτησία, ΔΕΝ επιτρέπεται να είναι ΜΗΔΕΝΙΚΑ "
         "...\r",
         MessageService::Icon::Critical},
        {-3, "!! ΠΡΟΣΟΧΗ (ΣΕΙΡΑ : 6) !!",
         "... ΔΕΝ είναι δυνατόν ΚΑΙ τα τρία Παράπλευρα Μήκη να είναι ΜΗΔΕΝΙΚΑ ...\r",
         MessageService::Icon::Critical},
        {-4, "  ! !   ΠΡΟΣΟΧΗ   ! ! ",
         "... Το Πρόγραμμα < Microsoft Excel >, ΔΕΝ είναι εγκατεστημένο στο Σύστημα αυτό ...\r" +
             std::string(82, ' ') +
             "\r         ... Μπορείτε να κάνετε Εκτύπωση, μόνο μέσω του Προγράμματος ...          "
             "\r",
         MessageService::Icon::Information},
    };
    for (const Case& c : cases) {
        RecordingMessages m;
        ShowMessageByCode(m, c.code, 6);
        ASSERT_EQ(m.shown.size(), 1u) << c.code;
        EXPECT_EQ(m.beeps, 2);
        EXPECT_EQ(m.Last().title, c.title);
        EXPECT_EQ(m.Last().prompt, c.prompt);
        EXPECT_EQ(m.Last().icon, c.icon);
        EXPECT_EQ(m.Last().buttons, MessageService::Buttons::Ok);
    }
    for (const int other : {0, -5, 1, -1000}) {
        RecordingMessages m;
        ShowMessageByCode(m, other, 6);
        EXPECT_TRUE(m.Empty());
        EXPECT_EQ(m.beeps, 2);
    }
}

TEST(PreRunCheck, EmptyGridDoesNothing) {
    ProgramState state;
    MemoryGrid grid;
    const Check c = RunCheck(grid, state, "");
    EXPECT_EQ(c.result, CheckResult::NothingToDo);
    EXPECT_TRUE(c.messages.Empty());
    EXPECT_EQ(c.messages.beeps, 0);
}

TEST(PreRunCheck, BlankTitleIsClearedAndFocused) {
    ProgramState state;
    MemoryGrid grid;
    test::FillGrid(grid, {Flat("Α")});
    const Check c = RunCheck(grid, state, "   ");
    EXPECT_EQ(c.result, CheckResult::Stopped);
    ASSERT_EQ(c.messages.shown.size(), 1u);
    EXPECT_EQ(c.messages.Last().title, "!... ΠΡΟΣΟΧΗ !...");
    EXPECT_EQ(c.messages.Last().prompt, "ΔΩΣΤΕ ΤΟ ΘΕΜΑ ΤΗΣ ΜΕΛΕΤΗΣ");
    EXPECT_EQ(c.messages.Last().icon, MessageService::Icon::Critical);
    EXPECT_EQ(c.titleAfter, "");
    EXPECT_EQ(c.titleFocus, 1);
    EXPECT_EQ(state.StudyTitle, "");
}

TEST(PreRunCheck, EmptyRowsCloseUp) {
    ProgramState state;
    MemoryGrid grid;
    test::FillGrid(grid, {Flat("Α")}, 1);
    test::FillGrid(grid, {Flat("Γ")}, 3);
    test::FillGrid(grid, {Flat("Ε")}, 5);
    // A partly filled row stays: the later scans catch it.
    const Check c = RunCheck(grid, state, "  Οδός Αιόλου 5  ");
    EXPECT_EQ(c.result, CheckResult::Passed);
    EXPECT_EQ(state.StudyTitle, "Οδός Αιόλου 5");
    EXPECT_EQ(grid.DataRowCnt(), 3);
    EXPECT_EQ(grid.CellText(1, 1), "Α");
    EXPECT_EQ(grid.CellText(2, 1), "Γ");
    EXPECT_EQ(grid.CellText(3, 1), "Ε");
    EXPECT_TRUE(c.messages.Empty());
}

TEST(PreRunCheck, CompactionAloneAndPartlyFilledRows) {
    ProgramState state;
    MemoryGrid grid;
    test::FillGrid(grid, {Flat("Α")}, 1);
    grid.SetCellText(2, 1, "μόνο όνομα");
    test::FillGrid(grid, {Flat("Δ")}, 4);
    EXPECT_EQ(CompactRows(grid), 0);
    EXPECT_EQ(grid.DataRowCnt(), 3);
    EXPECT_EQ(grid.CellText(2, 1), "μόνο όνομα");
    EXPECT_EQ(grid.CellText(3, 1), "Δ");
    EXPECT_TRUE(HasZeroAreaOrHeight(grid, state));

    // No pipe passage anywhere: nothing is removed and -1 comes back.
    MemoryGrid bare;
    GridRowTexts a = Flat("Α");
    a[10] = "";
    test::FillGrid(bare, {a}, 1);
    test::FillGrid(bare, {a}, 3);
    EXPECT_EQ(CompactRows(bare), -1);
    EXPECT_EQ(bare.DataRowCnt(), 3);
}

TEST(PreRunCheck, OutcomePrecedence) {
    struct Case {
        const char* what;
        std::function<void(MemoryGrid&)> spoil;
        std::string title; // empty: no message expected
        std::string promptStart;
    };
    const std::string incomplete = "... Ελλιπείς";
    const std::string zero = "... Εμβαδόν";
    const std::string lengths = "... ΔΕΝ είναι δυνατόν";
    const Case cases[] = {
        {"nothing wrong", [](MemoryGrid&) {}, "", ""},
        {"zero area row 3", [](MemoryGrid& g) { g.SetCellText(3, 5, ""); }, "!! ΠΡΟΣΟΧΗ !!", zero},
        {"zero height row 2", [](MemoryGrid& g) { g.SetCellText(2, 6, "0"); }, "!! ΠΡΟΣΟΧΗ !!",
         zero},
        {"zero area row 3, no kind row 5",
         [](MemoryGrid& g) {
             g.SetCellText(3, 5, "");
             g.SetCellText(5, 10, "");
         },
         "!! ΠΡΟΣΟΧΗ !!", incomplete},
        {"no pipes row 7", [](MemoryGrid& g) { g.SetCellText(7, 11, ""); }, "!! ΠΡΟΣΟΧΗ !!",
         incomplete},
        {"kind outside the list row 4",
         [](MemoryGrid& g) { g.Table().SetCellRaw(4, 10, "ΠΑΤΑΡΙ"); }, "!! ΠΡΟΣΟΧΗ !!", incomplete},
        {"pipe outside the list row 1", [](MemoryGrid& g) { g.Table().SetCellRaw(1, 11, "ΕΚΤΟΣ"); },
         "!! ΠΡΟΣΟΧΗ !!", incomplete},
        {"zero area row 2, no lengths row 6",
         [](MemoryGrid& g) {
             g.SetCellText(2, 5, "");
             for (int c = 7; c <= 9; ++c) {
                 g.SetCellText(6, c, "0");
             }
         },
         "!! ΠΡΟΣΟΧΗ (ΣΕΙΡΑ : 6) !!", lengths},
        {"no lengths rows 4 and 7, no kind row 1",
         [](MemoryGrid& g) {
             g.SetCellText(1, 10, "");
             for (int c = 7; c <= 9; ++c) {
                 g.SetCellText(4, c, "");
                 g.SetCellText(7, c, "");
             }
         },
         "!! ΠΡΟΣΟΧΗ (ΣΕΙΡΑ : 4) !!", lengths},
        {"only one length non-zero",
         [](MemoryGrid& g) {
             g.SetCellText(3, 7, "");
             g.SetCellText(3, 8, "");
         },
         "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramState state;
        MemoryGrid grid;
        std::vector<GridRowTexts> rows;
        for (int i = 1; i <= 8; ++i) {
            rows.push_back(Flat("Δ" + std::to_string(i)));
        }
        test::FillGrid(grid, rows);
        c.spoil(grid);
        const int focusBefore = grid.FocusCount();
        const Check check = RunCheck(grid, state);
        if (c.title.empty()) {
            EXPECT_EQ(check.result, CheckResult::Passed);
            EXPECT_TRUE(check.messages.Empty());
            continue;
        }
        EXPECT_EQ(check.result, CheckResult::Stopped);
        ASSERT_EQ(check.messages.shown.size(), 1u);
        EXPECT_EQ(check.messages.beeps, 2);
        EXPECT_EQ(check.messages.Last().title, c.title);
        EXPECT_EQ(check.messages.Last().prompt.rfind(c.promptStart, 0), 0u);
        EXPECT_GT(grid.FocusCount(), focusBefore);
        // The fault comes back with its kind, and a row fault with its row,
        // where the grid's cursor stands.
        const int code = static_cast<int>(check.checked.check);
        EXPECT_EQ(code, c.promptStart == lengths ? kCheckNoLateralLength
                        : c.promptStart == zero  ? kCheckZeroAreaOrHeight
                                                 : kCheckIncomplete);
        if (c.promptStart == lengths) {
            EXPECT_EQ(c.title, "!! ΠΡΟΣΟΧΗ (ΣΕΙΡΑ : " + std::to_string(check.checked.row) + ") !!");
            EXPECT_EQ(grid.Row(), check.checked.row);
        }
    }
}

TEST(PreRunCheck, ZeroTotalLossesStops) {
    ProgramState state;
    MemoryGrid grid;
    GridRowTexts a = Flat("Α");
    a[1] = "";
    GridRowTexts b = Flat("Β");
    b[1] = "0";
    test::FillGrid(grid, {a, b});
    const Check c = RunCheck(grid, state);
    EXPECT_EQ(c.result, CheckResult::Stopped);
    ASSERT_EQ(c.messages.shown.size(), 1u);
    EXPECT_EQ(c.messages.beeps, 2);
    EXPECT_EQ(c.messages.Last().title, "!! ΠΡΟΣΟΧΗ !!");
    EXPECT_EQ(c.messages.Last().prompt, ZeroTotalLossesPrompt());
    EXPECT_NE(c.messages.Last().prompt.find("ΜΗΔΕΝΙΚΕΣ"), std::string::npos);
}

TEST(PreRunCheck, CommaLocaleReadsTheCells) {
    // With the comma, "0,00" is zero and "2,50" is not.
    ProgramState state;
    state.DecimalSeparatorCode = ',';
    state.ThousandsSeparatorCode = '.';
    MemoryGrid grid(NumberLocale::Greek());
    GridRowTexts a = Flat("Α");
    a[5] = "2,50";
    test::FillGrid(grid, {a});
    EXPECT_FALSE(HasZeroAreaOrHeight(grid, state));
    grid.SetCellText(1, 6, "0,00");
    EXPECT_TRUE(HasZeroAreaOrHeight(grid, state));
}

} // namespace
} // namespace pyrostat
