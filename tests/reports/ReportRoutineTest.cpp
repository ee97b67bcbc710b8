#include "reports/ReportRoutine.h"
#include "ReportFixture.h"
#include "reports/FormulaReport.h"
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
        EXPECT_TRUE(sheets.made.empty());
    }
}

TEST_F(ReportRoutineTest, NoEngineShowsMessageMinusFour) {
    sheets.unavailable = true;
    RunFormulas();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.Last().title, "  ! !   ΠΡΟΣΟΧΗ   ! ! ");
    EXPECT_NE(messages.Last().prompt.find("ΔΕΝ είναι εγκατεστημένο"), std::string::npos);
    EXPECT_EQ(messages.Last().icon, MessageService::Icon::Information);
    EXPECT_EQ(messages.beeps, 2);
}

TEST_F(ReportRoutineTest, UnreadableTemplateIsToldLikeAMissingOne) {
    sheets.prepare = [](RecordingSheet& s) { s.failOpen = true; };
    RunFormulas();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.Last().prompt, kTemplateMissingPrompt);
    EXPECT_EQ(sheets.Last().Count("Quit"), 1);
    EXPECT_EQ(sheets.Last().Count("Range A1"), 0);
}

TEST_F(ReportRoutineTest, PreviewOrderAndIgnoredPreviewError) {
    sheets.prepare = [](RecordingSheet& s) {
        s.failPreview = true;
        s.quitFails = true;
    };
    RunFormulas();
    const RecordingSheet& s = sheets.Last();
    EXPECT_EQ(s.password, "(*47310586*)");
    EXPECT_EQ(s.openedPath, folder.WithSlash() + kFormulaTemplateName);
    const std::vector<std::string> head(s.log.begin(), s.log.begin() + 2);
    EXPECT_EQ(head, (std::vector<std::string>{"Invisible", "Open"}));
    const std::vector<std::string> tail(s.log.end() - 5, s.log.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{"Visible", "Preview", "Invisible",
                                        std::string("Close ") + kFormulaTemplateName, "Quit"}));
    EXPECT_EQ(s.Count("PrintOut"), 0);
    EXPECT_TRUE(messages.Empty());
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
        RunFormulas(job);
        const RecordingSheet& s = sheets.Last();
        EXPECT_EQ(s.printedCopies, c.expected);
        EXPECT_EQ(s.printedOn, "Laser_Γραφείου");
        EXPECT_TRUE(s.printedCollated);
        EXPECT_EQ(s.Count("Preview"), 0);
        EXPECT_EQ(s.Count("Visible"), 0);
    }
    EXPECT_EQ(ReportJob::Print("Laser", -2).copies, 1);
}

TEST_F(ReportRoutineTest, TemplateFileIsLeftUnchanged) {
    const std::string path = folder.File(kTableTemplateName);
    const auto before = std::filesystem::last_write_time(path);
    const std::string bytes = ReadAll(path);
    ReportServices services = Services();
    ResultsTableReport(services, ReportJob::Preview());
    ASSERT_EQ(sheets.made.size(), 1u);
    EXPECT_EQ(std::filesystem::last_write_time(path), before);
    EXPECT_EQ(ReadAll(path), bytes);
}

} // namespace
} // namespace pyrostat::test
