// A save killed at any moment must leave either the previous study or the new
// one on disk, whole: never a damaged file. A child process saves a 500-row
// study and is killed (SIGKILL) at 200 different moments of the save.

#include "studies/GeneralDataFile.h"
#include "studies/MemoryStudyFields.h"
#include "studies/StudyFile.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"
#include "workspace/MemoryGrid.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace pyrostat {
namespace {

// Fills all 500 rows; `variant` makes the two studies differ in every row.
void FillGrid(MemoryGrid& grid, int variant) {
    for (int r = 1; r <= 500; ++r) {
        grid.SetCellText(r, 1, (variant == 0 ? "Παλιό " : "Νέο ") + std::to_string(r));
        grid.SetCellText(r, 2, std::to_string(1000 + r * 3 + variant));
        grid.SetCellText(r, 5, std::to_string(40 + r % 90 + variant));
        grid.SetCellText(r, 3, std::to_string(r % 50 + variant));
        grid.SetCellText(r, 4, std::to_string(r % 40 + variant));
        grid.SetCellText(r, 6, "3");
        grid.SetCellText(r, 7, std::to_string(r % 7 + variant));
        grid.SetCellText(r, 8, std::to_string(r % 5 + variant));
        grid.SetCellText(r, 9, std::to_string(r % 3 + variant));
        grid.SetCellText(r, 10, variant == 0 ? "ΙΣΟΓΕΙΟ" : "ΡΕΤΙΡΕ");
        grid.SetCellText(r, 11, "ΕΝΤΟΣ ΙΔΙΟΚΤ.");
    }
}

std::vector<std::string> Snapshot(const MemoryGrid& grid) {
    std::vector<std::string> cells;
    for (int r = 1; r <= 500; ++r) {
        for (int c = 1; c <= 11; ++c) {
            cells.push_back(grid.CellText(r, c));
        }
    }
    return cells;
}

struct Session {
    MemoryGrid grid{NumberLocale::English()};
    ProgramState state;
    test::RecordingMessages messages;
    MemoryStudyFields fields;
    StudyFile study{grid, state, messages, fields};

    explicit Session(const std::string& folder) {
        state.ProgramFolder = folder;
        state.Employer = "Ιδιοκτήτες";
        state.Project = "Πολυκατοικία";
        state.Location = "Πάτρα";
        fields.SetTitleText("Μελέτη");
    }
};

TEST(SaveUnderKill, EveryKillLeavesAWholeStudy) {
    test::TestFolder folder;
    const std::string path = folder.File("study.pyx");
    test::WriteAll(folder.File("Thema.tmp"),
                   FormatGeneralData({"Ιδιοκτήτες", "Πολυκατοικία", "Πάτρα"}));

    std::vector<std::string> expected[2];
    std::chrono::nanoseconds saveTime{0};
    for (int variant = 0; variant < 2; ++variant) {
        Session s(folder.WithSlash());
        FillGrid(s.grid, variant);
        expected[variant] = Snapshot(s.grid);
        const auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(s.study.SaveAsFile(path), SaveOutcome::Saved);
        saveTime = std::max(saveTime, std::chrono::steady_clock::now() - start);
    }
    ASSERT_NE(expected[0], expected[1]);

    int sawOld = 0;
    int sawNew = 0;
    constexpr int kKills = 200;
    for (int i = 0; i < kKills; ++i) {
        const int newVariant = i % 2;
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            Session s(folder.WithSlash());
            FillGrid(s.grid, newVariant);
            s.study.SaveAsFile(path);
            _exit(0);
        }
        // Spread the kills over the whole save, from before it starts to just
        // after it ends.
        const auto delay = saveTime * (i % 100) / 80;
        std::this_thread::sleep_for(delay);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);

        Session reader(folder.WithSlash());
        ASSERT_TRUE(reader.study.OpenFile(path)) << "kill " << i;
        const auto cells = Snapshot(reader.grid);
        const bool isNew = cells == expected[newVariant];
        if (!isNew && cells != expected[1 - newVariant]) {
            for (size_t k = 0; k < cells.size(); ++k) {
                if (cells[k] != expected[cells[0] == expected[0][0] ? 0 : 1][k]) {
                    ADD_FAILURE() << "cell " << k << ": '" << cells[k] << "' vs '" << expected[0][k]
                                  << "' / '" << expected[1][k] << "'";
                    break;
                }
            }
        }
        ASSERT_TRUE(isNew || cells == expected[1 - newVariant])
            << "kill " << i << " left a damaged study";
        ASSERT_TRUE(reader.messages.Empty())
            << "kill " << i << ": " << reader.messages.Last().prompt;
        EXPECT_EQ(reader.state.Employer, "Ιδιοκτήτες") << "kill " << i;
        EXPECT_EQ(reader.state.Location, "Πάτρα") << "kill " << i;
        (isNew ? sawNew : sawOld)++;
    }
    EXPECT_EQ(sawOld + sawNew, kKills);
    // The kills fell both before and after the moment the new study took over.
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
}

} // namespace
} // namespace pyrostat
