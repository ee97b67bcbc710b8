#include "reports/ReportRoutine.h"
#include "ReportFixture.h"
#include "platform/LocalDate.h"
#include "reports/FormulaReport.h"
#include "reports/InputDataReport.h"
#include "reports/ResultsTableReport.h"

#include <filesystem>

#include <sys/stat.h>

namespace pyrostat::test {
namespace {

class ReportRoutineTest : public ReportFixture {
protected:
    void SetUp() override {
        WriteResults(Properties(3));
        WriteFormulas(3);
    }
    void RunFormulas(const ReportJob& job = ReportJob::Preview()) {
        ReportServices services = Services();
        FormulaReport(services, job);
    }
};

TEST_F(ReportRoutineTest, MissingTemplateShowsItsBoxAndStartsNothing) {
    std::filesystem::remove(folder.File(kFormulaTemplateName));
    RunFormulas();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.Last().title, "Η ΕΚΤΥΠΩΣΗ - μέσω του Microsoft Excel - ΔΕΝ ΕΙΝΑΙ ΔΥΝΑΤΗ");
    EXPECT_EQ(messages.Last().prompt, "... Λείπει κάποιο βασικό Αρχείο ...");
    EXPECT_EQ(messages.Last().icon, MessageService::Icon::Exclamation);
    EXPECT_TRUE(sheets.loaded.empty());
    EXPECT_TRUE(sheets.made.empty());
}

// A folder or a FIFO where the template belongs is named with its problem,
// and nothing waits on the FIFO.
TEST_F(ReportRoutineTest, ATemplateThatIsNotAFileIsNamed) {
    for (const bool fifo : {false, true}) {
        messages.shown.clear();
        const std::string path = folder.File(kFormulaTemplateName);
        std::filesystem::remove_all(path);
        if (fifo) {
            ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
        } else {
            std::filesystem::create_directory(path);
        }
        RunFormulas();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_NE(messages.Last().prompt.find(kFormulaTemplateName), std::string::npos);
        EXPECT_NE(messages.Last().prompt.find(fifo ? "κανονικό αρχείο" : "φάκελος"),
                  std::string::npos)
            << messages.Last().prompt;
        EXPECT_TRUE(sheets.loaded.empty());
        EXPECT_TRUE(sheets.made.empty());
    }
}

TEST_F(ReportRoutineTest, NoOutputsShowsMessageMinusFour) {
    ReportServices services = Services();
    services.outputs.reset();
    FormulaReport(services, ReportJob::Preview());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.Last().title, "  ! !   ΠΡΟΣΟΧΗ   ! ! ");
    EXPECT_NE(messages.Last().prompt.find("ΔΕΝ είναι εγκατεστημένο"), std::string::npos);
    EXPECT_EQ(messages.Last().icon, MessageService::Icon::Information);
    EXPECT_EQ(messages.beeps, 2);
}

TEST_F(ReportRoutineTest, UnreadableTemplateIsToldLikeAMissingOne) {
    sheets.failLoad = true;
    RunFormulas();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.Last().prompt, kTemplateMissingPrompt);
    EXPECT_EQ(sheets.loaded, (std::vector<std::string>{folder.File(kFormulaTemplateName)}));
    EXPECT_TRUE(sheets.made.empty());
}

// The template's own cells stay; the head gets the engineer and the general
// data; a preview that fails has told its own error.
TEST_F(ReportRoutineTest, OnePreviewOfTheFilledTemplate) {
    sheets.failPreview = true;
    sheets.makeTemplate = [](SheetModel& m) {
        m.SetText(2, 1, "ΠΙΝΑΚΑΣ ΤΥΠΩΝ");
        m.SetText(1, 1, "Μελετητής :");
    };
    RunFormulas();
    ASSERT_EQ(sheets.made.size(), 1u);
    EXPECT_FALSE(sheets.Last().printed);
    EXPECT_EQ(Text(1, 1), "Μελετητής : Γ. Μηχανικός");
    EXPECT_EQ(Text(2, 1), "ΠΙΝΑΚΑΣ ΤΥΠΩΝ");
    EXPECT_EQ(Text(4, 3), "Ιδιοκτήτες Πολυκατοικίας");
    EXPECT_EQ(Text(21, 3), FormulaLineOf(1));
    EXPECT_TRUE(messages.Empty());
}

// A signed page says when and by whom: every report carries the date it was
// made under every page, and the engineer's registration number when the
// register holds it.
TEST_F(ReportRoutineTest, EveryReportSaysWhenAndByWhom) {
    WriteAll(folder.File("CLIENTS_AM.txt"), "Γ. Μηχανικός\t123456\n");
    WriteAll(folder.File(kInputDataFileName), "");
    sheets.makeTemplate = [](SheetModel& m) { m.Setup().footer = "Σελίδα &P από &N"; };
    ReportServices services = Services();
    FormulaReport(services, ReportJob::Preview());
    ResultsTableReport(services, ReportJob::Preview());
    InputDataReport(services, ReportJob::Preview());
    ASSERT_EQ(sheets.made.size(), 3u);
    for (const auto& made : sheets.made) {
        EXPECT_EQ(made.sheet.Value(1, 1).text, "Μελετητής : Γ. Μηχανικός, ΑΜ ΤΕΕ 123456");
        EXPECT_EQ(made.sheet.Setup().footer, "Σελίδα &P από &N      Ημερομηνία : 08/12/2026");
    }
    // Without a date given, today's.
    services.madeOn.clear();
    FormulaReport(services, ReportJob::Preview());
    const std::string footer = sheets.Last().sheet.Setup().footer;
    EXPECT_EQ(footer.substr(footer.size() - 10), TodayText());
    EXPECT_EQ(TodayText().size(), 10u);
}

TEST_F(ReportRoutineTest, APrintGoesToItsPrinterWithAtLeastOneCopy) {
    struct Case {
        int copies;
        int expected;
    };
    for (const Case& c : {Case{0, 1}, Case{1, 1}, Case{3, 3}}) {
        ReportJob job;
        job.kind = ReportJob::Kind::Print;
        job.printer = "Laser_Γραφείου";
        job.copies = c.copies;
        sheets.made.clear();
        RunFormulas(job);
        ASSERT_EQ(sheets.made.size(), 1u) << "printed, never previewed as well";
        EXPECT_TRUE(sheets.Last().printed);
        EXPECT_EQ(sheets.Last().copies, c.expected);
        EXPECT_EQ(sheets.Last().printer, "Laser_Γραφείου");
        EXPECT_EQ(Text(21, 3), FormulaLineOf(1));
    }
    EXPECT_EQ(ReportJob::Print("Laser", -2).copies, 1);
}

// Filling the sheet again and again from one template: no report carries
// anything of the one before it.
TEST_F(ReportRoutineTest, EveryReportStartsFromTheTemplate) {
    RunFormulas();
    WriteResults(Properties(1));
    WriteFormulas(1);
    RunFormulas();
    ASSERT_EQ(sheets.made.size(), 2u);
    EXPECT_EQ(Text(21, 3), FormulaLineOf(1));
    EXPECT_EQ(Text(22, 3), "");
}

TEST_F(ReportRoutineTest, TemplateFileIsLeftUnchanged) {
    const std::string path = folder.File(kTableTemplateName);
    const auto before = std::filesystem::last_write_time(path);
    const std::string bytes = ReadAll(path);
    ReportServices services = Services();
    ResultsTableReport(services, ReportJob::Preview());
    ASSERT_EQ(sheets.made.size(), 1u);
    ASSERT_EQ(sheets.loaded, (std::vector<std::string>{path}));
    EXPECT_EQ(std::filesystem::last_write_time(path), before);
    EXPECT_EQ(ReadAll(path), bytes);
}

} // namespace
} // namespace pyrostat::test
