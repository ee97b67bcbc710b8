#include "distribution/Plausibility.h"

#include "distribution/CalculationRun.h"
#include "distribution/SampleStudy.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"
#include "workspace/MemoryGrid.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pyrostat {
namespace {

// A flat of 80 m² and 2.9 m with 36 m of walls: nothing to warn about.
StudyNumbers Flat() {
    StudyNumbers r{};
    r[1] = 6000; // T
    r[2] = 1200; // O
    r[3] = 700;  // N
    r[4] = 80;   // area
    r[5] = 2.9;  // height
    r[6] = 20;   // to the exterior
    r[7] = 6;    // to unheated spaces
    r[8] = 10;   // to heated spaces
    return r;
}

// Each bound just kept and just broken, alone in an otherwise plausible flat.
TEST(Plausibility, EachBoundAtItsEdge) {
    struct Case {
        int col;         // the column changed
        double value;    // its value
        const char* why; // empty: nothing to warn about
    };
    const Case cases[] = {
        {3, 5300, ""}, // O + N = 6000 = T
        {3, 5300.01, "οι απώλειες ανοιγμάτων και αερισμού ξεπερνούν τις συνολικές απώλειες"},
        {2, 1899.99, "οι απώλειες ανοιγμάτων και αερισμού ξεπερνούν τις συνολικές απώλειες"},
        {5, 5, "τα μήκη των τοίχων"}, // 36 m of walls around 5 m²
        {5, 4.99, "εμβαδόν κάτω από 5 m²"},
        {5, 2000, ""},
        {5, 2000.01, "εμβαδόν πάνω από 2000 m²"},
        {6, 2, ""},
        {6, 1.99, "μέσο ύψος κάτω από 2 m"},
        {6, 6, ""},
        {6, 6.01, "μέσο ύψος πάνω από 6 m"},
        {6, 3400, "μέσο ύψος πάνω από 6 m"}, // «3,400» typed in an English locale
        {7, 68, ""},                         // 68 + 6 + 10 = 84 = 80 + 4
        {7, 68.01, "τα μήκη των τοίχων"},
        {9, 58.01, "τα μήκη των τοίχων"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.col) + " = " + std::to_string(c.value));
        StudyNumbers row = Flat();
        row[static_cast<size_t>(c.col - 1)] = c.value;
        const std::vector<ImplausibleEntry> found = FindImplausibleEntries({Flat(), row});
        if (*c.why == '\0') {
            EXPECT_TRUE(found.empty()) << found.front().why;
            continue;
        }
        ASSERT_GE(found.size(), 1u);
        EXPECT_EQ(found.front().row, 2);
        EXPECT_NE(found.front().why.find(c.why), std::string::npos) << found.front().why;
        // The value named is the one of the column named.
        EXPECT_EQ(found.front().value, row[static_cast<size_t>(found.front().col - 1)]);
    }
    // Every bound of the table is met by a case above.
    EXPECT_EQ(PlausibilityBounds().size(), 6u);
}

TEST(Plausibility, TheLineNamesRowColumnAndValueInTheLocale) {
    const ImplausibleEntry entry{3, 6, 3400, "μέσο ύψος πάνω από 6 m"};
    EXPECT_EQ(ImplausibleEntryLine(entry, NumberLocale::Greek()),
              "Σειρά 3, στήλη 6 (ΜΕΣΟ ΥΨΟΣ ΙΔΙΟΚΤΗΣΙΑΣ [m]): 3400,00 : μέσο ύψος πάνω από 6 m");
    EXPECT_NE(ImplausibleEntryLine(entry, NumberLocale::English()).find(": 3400.00 :"),
              std::string::npos);
    std::vector<ImplausibleEntry> many(20, entry);
    const std::string question = ImplausibleEntriesQuestion(many, NumberLocale::Greek());
    EXPECT_NE(question.find("... και άλλες 5."), std::string::npos) << question;
    const std::string ask = "\n\nΝα γίνει ο υπολογισμός με αυτές τις τιμές;";
    EXPECT_EQ(question.rfind(ask), question.size() - ask.size());
}

// The window asks before the calculation; No (the default) leaves the files
// as they were and the cursor on the first value named, Yes calculates.
TEST(Plausibility, TheWindowAsksAndNoStopsOnTheCell) {
    for (const bool goOn : {false, true}) {
        SCOPED_TRACE(goOn);
        test::TestFolder folder;
        ProgramState state;
        state.ProgramFolder = folder.WithSlash();
        state.DecimalSeparatorCode = '.';
        state.ThousandsSeparatorCode = ',';
        MemoryGrid grid(NumberLocale::Of(state));
        std::vector<test::GridRowTexts> rows = test::SampleGrid();
        rows[3][5] = "3400"; // the fourth flat's height
        for (size_t r = 0; r < rows.size(); ++r) {
            for (int c = 1; c <= 11; ++c) {
                grid.Table().SetCellRaw(static_cast<int>(r + 1), c,
                                        rows[r][static_cast<size_t>(c - 1)]);
            }
        }
        test::RecordingMessages messages;
        if (goOn) {
            messages.AnswerNext(MessageService::Answer::Yes);
        }
        TitleBoxAccess title;
        title.text = [] { return std::string("Μελέτη"); };
        const CalculationOutcome outcome = RunCalculation(grid, state, messages, title, true);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.Last().title, kImplausibleTitle);
        EXPECT_EQ(messages.Last().buttons, MessageService::Buttons::YesNo);
        EXPECT_EQ(messages.Last().defaultAnswer, MessageService::Answer::No);
        EXPECT_NE(messages.Last().prompt.find("Σειρά 4, στήλη 6"), std::string::npos);
        EXPECT_NE(messages.Last().prompt.find(": 3400.00 :"), std::string::npos);
        if (goOn) {
            EXPECT_EQ(outcome, CalculationOutcome::Written);
            EXPECT_TRUE(std::filesystem::exists(folder.File("PYROSTAT.TMP")));
        } else {
            EXPECT_EQ(outcome, CalculationOutcome::Stopped);
            EXPECT_FALSE(std::filesystem::exists(folder.File("PYROSTAT.TMP")));
            // The cursor, not only the cell addressed.
            EXPECT_EQ(grid.ActiveRow(), 4);
            EXPECT_EQ(grid.ActiveCol(), 6);
        }
    }
}

} // namespace
} // namespace pyrostat
