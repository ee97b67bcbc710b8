#include "reports/ReportCommands.h"
#include "ReportFixture.h"
#include "reports/InputDataReport.h"
#include "workspace/MemoryGrid.h"

#include <filesystem>

namespace pyrostat::test {
namespace {

class ReportCommandsTest : public ReportFixture {
public:
    ReportCommandsTest() {
        title.text = [this] { return titleText; };
        title.clear = [this] {
            titleText.clear();
            ++titleCleared;
        };
        title.focus = [this] { ++titleFocused; };
        hooks.showWait = [this](bool shown) { waits.push_back(shown); };
        hooks.showGeneralData = [this] {
            ++dialogs;
            return true;
        };
    }

    void FillRow(int row, const std::string& name, const std::string& area = "80") {
        const std::string cells[] = {name, "4000", "800", "300",       area,           "3",
                                     "10", "5",    "12",  "ΕΝΔΙΑΜΕΣΟ", "ΕΚΤΟΣ ΙΔΙΟΚΤ."};
        for (int c = 1; c <= 11; ++c) {
            ASSERT_TRUE(grid.SetCellText(row, c, cells[c - 1])) << row << "," << c;
        }
    }
    void RunData(bool print) {
        ReportServices services = Services();
        RunInputDataCommand(grid, title, true, services, hooks, print);
    }
    bool WorkFileExists() { return std::filesystem::exists(folder.File(kInputDataFileName)); }

    MemoryGrid grid;
    TitleBoxAccess title;
    std::string titleText = "  Πολυκατοικία Κύπρου 12 ";
    int titleCleared = 0;
    int titleFocused = 0;
    ReportCommandHooks hooks;
    std::vector<bool> waits;
    int dialogs = 0;
};

TEST_F(ReportCommandsTest, EmptyRowIsRemovedAndSerialsRunWithoutGap) {
    FillRow(1, "Α1");
    FillRow(3, "Α3");
    FillRow(5, "Α5");
    RunData(false);
    ASSERT_EQ(sheets.made.size(), 1u);
    EXPECT_EQ(grid.DataRowCnt(), 3);
    EXPECT_EQ(Text(12, 1), "1");
    EXPECT_EQ(Text(13, 1), "2");
    EXPECT_EQ(Text(13, 2), "Α3");
    EXPECT_EQ(Text(14, 1), "3");
    EXPECT_EQ(Text(14, 2), "Α5");
    EXPECT_EQ(Text(15, 1), "");
    EXPECT_EQ(Text(6, 4), "ΝΑΙ");
    EXPECT_EQ(state.StudyTitle, "Πολυκατοικία Κύπρου 12");
    EXPECT_EQ(waits, (std::vector<bool>{true, false}));
    EXPECT_FALSE(WorkFileExists());
    EXPECT_GE(grid.FocusCount(), 1);
}

TEST_F(ReportCommandsTest, EarlierLongerWorkFileNeverReachesTheReport) {
    // A work file left by an earlier, longer grid (a print cancelled at the
    // printer choice) holds ten records.
    std::string old;
    for (int i = 1; i <= 10; ++i) {
        PropertyRecord r;
        r.RowNo = static_cast<int16_t>(i);
        r.PropertyName = "ΠΑΛΙΟ" + std::to_string(i);
        old += r.Pack();
    }
    WriteAll(folder.File(kInputDataFileName), old);
    FillRow(1, "Α1");
    FillRow(2, "Α2");
    RunData(false);
    EXPECT_EQ(Text(13, 2), "Α2");
    EXPECT_EQ(Text(14, 1), "");
    for (const auto& [key, cell] : Sheet().Cells()) {
        EXPECT_EQ(cell.value.text.find("ΠΑΛΙΟ"), std::string::npos);
    }
}

TEST_F(ReportCommandsTest, StopsBeforeAnyReport) {
    struct Case {
        const char* what;
        std::function<void(ReportCommandsTest&)> arrange;
        std::string title; // of the box shown, empty for none
    };
    const Case cases[] = {
        {"empty grid", [](ReportCommandsTest&) {}, ""},
        {"blank title",
         [](ReportCommandsTest& t) {
             t.FillRow(1, "Α1");
             t.titleText = "   ";
         },
         kNoTitleTitle},
        {"zero area",
         [](ReportCommandsTest& t) {
             t.FillRow(1, "Α1");
             t.FillRow(2, "Α2", "");
         },
         "!! ΠΡΟΣΟΧΗ !!"},
        {"general data still missing",
         [](ReportCommandsTest& t) {
             t.FillRow(1, "Α1");
             t.state.Project = " ";
         },
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ReportCommandsTest& t = *this;
        grid.Table() = GridTable{};
        titleText = "Θέμα";
        state.Project = "Κατανομή";
        messages.shown.clear();
        c.arrange(t);
        RunData(false);
        EXPECT_TRUE(sheets.made.empty());
        EXPECT_FALSE(WorkFileExists());
        if (c.title.empty()) {
            EXPECT_TRUE(messages.Empty());
        } else {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.Last().title, c.title);
        }
    }
    EXPECT_EQ(titleCleared, 1);
    EXPECT_EQ(titleFocused, 1);
    EXPECT_EQ(dialogs, 1); // only the general-data case asks
}

TEST_F(ReportCommandsTest, UnwritableWorkFileIsToldAndNothingPrints) {
    FillRow(1, "Α1");
    state.ProgramFolder = folder.File("no-such-folder") + "/";
    RunData(false);
    EXPECT_TRUE(sheets.made.empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.Last().prompt, kWorkFileProblemPrompt);
    EXPECT_EQ(messages.beeps, 2);
}

TEST_F(ReportCommandsTest, ZeroAreaMessageText) {
    FillRow(1, "Α1", "0");
    RunData(false);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.Last().prompt.find("ΜΗΔΕΝΙΚΑ"), std::string::npos);
}

TEST_F(ReportCommandsTest, PrintGoesToTheChosenPrinterByName) {
    FillRow(1, "Α1");
    int choices = 0;
    hooks.choosePrinter = [&] {
        ++choices;
        return std::optional<ReportJob>(ReportJob::Print("Γραφείο", 3));
    };
    RunData(true);
    EXPECT_EQ(choices, 1);
    ASSERT_EQ(sheets.made.size(), 1u);
    EXPECT_TRUE(sheets.Last().printed);
    EXPECT_EQ(sheets.Last().printer, "Γραφείο");
    EXPECT_EQ(sheets.Last().copies, 3);
    EXPECT_EQ(waits, (std::vector<bool>{true, false}));
    EXPECT_FALSE(WorkFileExists());
}

TEST_F(ReportCommandsTest, CancelledPrinterChoicePrintsNothingAndRemovesTheWorkFile) {
    FillRow(1, "Α1");
    hooks.choosePrinter = [] { return std::optional<ReportJob>(); };
    RunData(true);
    EXPECT_TRUE(sheets.made.empty());
    EXPECT_FALSE(WorkFileExists());
    EXPECT_TRUE(waits.empty());
    EXPECT_EQ(grid.FocusCount(), 1);
}

TEST_F(ReportCommandsTest, ResultsButtons) {
    WriteResults(Properties(2));
    WriteFormulas(2);
    hooks.defaultPrinter = [] { return std::string("Laser"); };
    struct Case {
        ResultsReportKind kind;
        bool print;
        const char* templateName;
    };
    const Case cases[] = {
        {ResultsReportKind::Formulas, false, kFormulaTemplateName},
        {ResultsReportKind::Table, false, kTableTemplateName},
        {ResultsReportKind::Formulas, true, kFormulaTemplateName},
        {ResultsReportKind::Table, true, kTableTemplateName},
    };
    for (const Case& c : cases) {
        sheets.made.clear();
        waits.clear();
        ReportServices services = Services();
        RunResultsReportCommand(services, hooks, c.kind, c.print);
        ASSERT_EQ(sheets.made.size(), 1u);
        EXPECT_EQ(sheets.loaded.back(), folder.WithSlash() + c.templateName);
        EXPECT_EQ(sheets.Last().printed, c.print);
        if (c.print) {
            EXPECT_EQ(sheets.Last().printer, "Laser");
            EXPECT_EQ(sheets.Last().copies, 1);
        }
        EXPECT_EQ(waits, (std::vector<bool>{true, false}));
    }
}

TEST_F(ReportCommandsTest, GeneralDataDialogLeftWithEscape) {
    state.Location = "";
    hooks.showGeneralData = [] { return false; };
    EXPECT_FALSE(EnsureGeneralData(state, hooks));
    WriteResults(Properties(2));
    WriteFormulas(2);
    ReportServices services = Services();
    RunResultsReportCommand(services, hooks, ResultsReportKind::Table, true);
    EXPECT_TRUE(sheets.made.empty()) << "no report without the general data";
    hooks.showGeneralData = [this] {
        state.Location = "Λάρισα";
        return true;
    };
    EXPECT_TRUE(EnsureGeneralData(state, hooks));
}

} // namespace
} // namespace pyrostat::test
