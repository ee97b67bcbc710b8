// A save killed at any moment must leave either the previous study or the new
// one on disk, whole: never a damaged file. A child process saves a 500-row
// study and is killed (SIGKILL) at 200 different moments of the save.

#include "studies/DiskFileStore.h"
#include "studies/GeneralDataFile.h"
#include "studies/MemoryStudyFields.h"
#include "studies/StudyFile.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"
#include "workspace/MemoryGrid.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
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

// The general data of each variant differ, so that an old study with a new
// companion (or the reverse) shows.
const GeneralData kGeneral[2] = {{"Παλιοί ιδιοκτήτες", "Πολυκατοικία Α", "Πάτρα"},
                                 {"Νέοι ιδιοκτήτες", "Πολυκατοικία Β", "Ρίο"}};

// A program folder per variant, each with its own working copy of the data.
std::string ProgramFolderFor(const test::TestFolder& folder, int variant) {
    const std::string path = folder.WithSlash() + "program" + std::to_string(variant) + "/";
    std::filesystem::create_directories(path);
    test::WriteAll(path + "Thema.tmp", FormatGeneralData(kGeneral[variant]));
    return path;
}

// Saves variant `variant` of the study at `path` with the given store.
void SaveVariant(const test::TestFolder& folder, const std::string& path, int variant,
                 FileStore* store) {
    Session s(ProgramFolderFor(folder, variant));
    s.state.Employer = kGeneral[variant].Employer;
    s.state.Project = kGeneral[variant].Project;
    s.state.Location = kGeneral[variant].Location;
    FillGrid(s.grid, variant);
    if (store != nullptr) {
        s.study.SetFileStore(*store);
    }
    s.study.SaveAsFile(path);
}

// Which variant the study at `path` opens as: 0 or 1 when its rows and its
// general data are wholly that variant's, -1 for anything else.
int OpenedVariant(const test::TestFolder& folder, const std::string& path,
                  const std::vector<std::string> (&expected)[2], std::string& why) {
    Session reader(folder.WithSlash() + "reader/");
    std::filesystem::create_directories(reader.state.ProgramFolder);
    if (!reader.study.OpenFile(path)) {
        why = "did not open";
        return -1;
    }
    if (!reader.messages.Empty()) {
        why = reader.messages.Last().prompt;
        return -1;
    }
    const auto cells = Snapshot(reader.grid);
    for (int v = 0; v < 2; ++v) {
        if (cells == expected[v]) {
            if (reader.state.Employer != kGeneral[v].Employer ||
                reader.state.Location != kGeneral[v].Location) {
                why =
                    "rows of one save with the general data of the other: " + reader.state.Employer;
                return -1;
            }
            return v;
        }
    }
    why = "rows of neither save";
    return -1;
}

// The real disk, except that the process kills itself just before its
// operation number `killAt` (counted over writes, renames, removals and
// folder syncs), as a power cut there would.
class KillingStore : public DiskFileStore {
public:
    explicit KillingStore(int killAt) : killAt_(killAt) {}
    int operations = 0;

    bool WriteDurably(const std::string& path, const std::string& bytes) override {
        Step();
        return DiskFileStore::WriteDurably(path, bytes);
    }
    bool Rename(const std::string& from, const std::string& to) override {
        Step();
        return DiskFileStore::Rename(from, to);
    }
    void Remove(const std::string& path) override {
        Step();
        DiskFileStore::Remove(path);
    }
    void SyncFolder(const std::string& path) override {
        Step();
        DiskFileStore::SyncFolder(path);
    }

private:
    void Step() {
        if (operations++ == killAt_) {
            ::kill(::getpid(), SIGKILL);
        }
    }
    int killAt_;
};

// The grid cells of the two variants, as a study of each opens.
void ExpectedCells(const test::TestFolder& folder, std::vector<std::string> (&expected)[2]) {
    for (int v = 0; v < 2; ++v) {
        Session s(folder.WithSlash());
        FillGrid(s.grid, v);
        expected[v] = Snapshot(s.grid);
    }
}

TEST(SaveUnderKill, AKillAtEveryStepOfTheSaveLeavesBothOldOrBothNew) {
    test::TestFolder folder;
    const std::string path = folder.File("study.pyx");
    std::vector<std::string> expected[2];
    ExpectedCells(folder, expected);
    // How many steps a save has, counted once without a kill.
    SaveVariant(folder, path, 0, nullptr);
    KillingStore counter(-1);
    SaveVariant(folder, path, 1, &counter);
    const int steps = counter.operations;
    ASSERT_GE(steps, 8); // three writes, the note, three renames and the syncs

    std::string why;
    int sawOld = 0;
    int sawNew = 0;
    int kills = 0;
    // Every step, from each of the two studies towards the other, repeated so
    // that the kills between the renames come up many times over.
    for (int round = 0; kills < 200; ++round) {
        for (int step = 0; step <= steps && kills < 200; ++step, ++kills) {
            const int before = OpenedVariant(folder, path, expected, why);
            ASSERT_GE(before, 0) << why;
            const int after = 1 - before;
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                KillingStore store(step);
                SaveVariant(folder, path, after, &store);
                _exit(0);
            }
            int status = 0;
            waitpid(child, &status, 0);
            EXPECT_EQ(step < steps, WIFSIGNALED(status)) << "step " << step;
            const int opened = OpenedVariant(folder, path, expected, why);
            ASSERT_GE(opened, 0) << "round " << round << ", killed at step " << step << ": " << why;
            (opened == after ? sawNew : sawOld)++;
        }
    }
    EXPECT_EQ(sawOld + sawNew, 200);
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
    // Nothing of the interrupted saves is left once the study has been opened.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(name.find(".saving"), std::string::npos) << entry.path();
        EXPECT_EQ(name.find(".commit"), std::string::npos) << entry.path();
    }
}

TEST(SaveUnderKill, TwoSavesAtOnceNeverMixTheirFiles) {
    test::TestFolder folder;
    const std::string path = folder.File("study.pyx");
    std::vector<std::string> expected[2];
    ExpectedCells(folder, expected);
    SaveVariant(folder, path, 0, nullptr);
    std::string why;
    for (int round = 0; round < 20; ++round) {
        pid_t children[2];
        for (int v = 0; v < 2; ++v) {
            children[v] = fork();
            ASSERT_GE(children[v], 0);
            if (children[v] == 0) {
                for (int i = 0; i < 3; ++i) {
                    SaveVariant(folder, path, v, nullptr);
                }
                _exit(0);
            }
        }
        for (const pid_t child : children) {
            int status = 0;
            waitpid(child, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        ASSERT_GE(OpenedVariant(folder, path, expected, why), 0)
            << "round " << round << ": " << why;
    }
}

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
