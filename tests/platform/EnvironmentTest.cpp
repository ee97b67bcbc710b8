#include "platform/InstalledPrograms.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleCopyLock.h"
#include "platform/SystemVersion.h"
#include "platform/WaitSeconds.h"
#include "platform/WindowPlacement.h"
#include "program/ProgramState.h"

#include "support/ClosedStandardInput.h"
#include "support/TestFolder.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

namespace pyrostat {
namespace {

using test::ReadAll;
using test::TestFolder;
using test::WriteAll;

// One record as the file holds it, built field by field with blanks.
std::string Record(const std::string& name, const std::string& folder, const std::string& file) {
    auto pad = [](std::string s, size_t width) {
        s.resize(width, ' ');
        return s;
    };
    return pad(name, 30) + pad(folder, 200) + pad(file, 20);
}

TEST(RecordProgramInstallation, AddsOnceThenUpdatesInPlace) {
    TestFolder folder;
    const std::string log = folder.File("MirtProgs.log");
    const std::string other = Record("Koinoxrista", "/opt/koin/", "KOIN.EXE");
    WriteAll(log, other);

    ASSERT_TRUE(RecordProgramInstallation(log, "Pyrostat", "/home/u/pyrostat", "PYROSTAT.EXE"));
    EXPECT_EQ(ReadAll(log), other + Record("Pyrostat", "/home/u/pyrostat/", "PYROSTAT.EXE"));

    // The second call rewrites record 2 with the new folder, never a third one.
    ASSERT_TRUE(RecordProgramInstallation(log, "Pyrostat", "/srv/p/", "PYROSTAT.EXE"));
    EXPECT_EQ(ReadAll(log), other + Record("Pyrostat", "/srv/p/", "PYROSTAT.EXE"));
}

TEST(RecordProgramInstallation, CreatesTheFileAndMendsATrailingPartialRecord) {
    TestFolder folder;
    const std::string log = folder.File("MirtProgs.log");
    ASSERT_TRUE(RecordProgramInstallation(log, "Pyrostat", "/p/", "PYROSTAT.EXE"));
    EXPECT_EQ(ReadAll(log), Record("Pyrostat", "/p/", "PYROSTAT.EXE"));

    const std::string first = Record("Other", "/o/", "O.EXE");
    WriteAll(log, first + "Pyro"); // a write cut short: 4 stray bytes
    ASSERT_TRUE(RecordProgramInstallation(log, "Pyrostat", "/p/", "PYROSTAT.EXE"));
    EXPECT_EQ(ReadAll(log), first + Record("Pyrostat", "/p/", "PYROSTAT.EXE"));

    EXPECT_FALSE(RecordProgramInstallation(folder.File("no/such/folder/x.log"), "P", "/", "P"));
}

TEST(ProgramFolder, ResolvesFromTheEnvironmentInOrder) {
    const struct {
        std::map<std::string, std::string> env;
        const char* folder;
        const char* logFolder;
    } cases[] = {
        {{{"PYROSTAT_HOME", "/srv/pyro"}, {"XDG_DATA_HOME", "/x"}, {"HOME", "/h"}},
         "/srv/pyro/",
         "/x/"},
        {{{"XDG_DATA_HOME", "/x/data/"}, {"HOME", "/h"}}, "/x/data/pyrostat/", "/x/data/"},
        {{{"HOME", "/home/maria"}},
         "/home/maria/.local/share/pyrostat/",
         "/home/maria/.local/share/"},
        {{{"XDG_DATA_HOME", "relative"}, {"HOME", "/h"}},
         "/h/.local/share/pyrostat/",
         "/h/.local/share/"},
        {{{"PYROSTAT_HOME", ""}, {"HOME", "/h"}}, "/h/.local/share/pyrostat/", "/h/.local/share/"},
    };
    for (const auto& c : cases) {
        const EnvironmentReader env = [&](const std::string& name) {
            const auto it = c.env.find(name);
            return it == c.env.end() ? std::string() : it->second;
        };
        EXPECT_EQ(ResolveProgramFolder(env), c.folder);
        EXPECT_EQ(InstalledProgramsFolder(env), c.logFolder);
    }
}

// An installed program seeds from the installed data alone, even when that
// folder is gone: never from a source tree that happens to lie on the disk.
TEST(ProgramFolder, OnlyTheBuildTreeSeedsFromTheSourceTree) {
    const std::string build = PYROSTAT_BUILD_DIR;
    EXPECT_EQ(SeedSourceFoldersFor(build + "/pyrostat"),
              (std::vector<std::string>{PYROSTAT_SOURCE_DATA_DIR, PYROSTAT_BUILD_DATA_DIR}));
    for (const std::string& installed :
         std::vector<std::string>{"/usr/bin/pyrostat", "", build + "-other/pyrostat"}) {
        EXPECT_EQ(SeedSourceFoldersFor(installed),
                  (std::vector<std::string>{PYROSTAT_INSTALL_DATA_DIR}))
            << installed;
    }
    // The tests run from the build tree.
    EXPECT_EQ(SeedSourceFolders().front(), PYROSTAT_SOURCE_DATA_DIR);
}

TEST(ProgramFolder, SeedingCopiesWhatIsMissingAndNeverOverwrites) {
    TestFolder source;
    TestFolder later;
    TestFolder target;
    std::filesystem::create_directories(source.Path() / "PYXFiles" / "FLEFiles");
    WriteAll(source.File("PYXFiles/FLEFiles/.keep"), "");
    WriteAll(source.File("Engineer.txt"), "from seed");
    WriteAll(source.File("CLIENTS.MIR"), "seed register");
    WriteAll(later.File("Pyrostat.pdf"), "manual");
    WriteAll(later.File("Engineer.txt"), "from the second source");
    const std::string home = target.WithSlash() + "home/";
    std::filesystem::create_directories(home);
    WriteAll(home + "CLIENTS.MIR", "the user's register");

    ASSERT_TRUE(SeedProgramFolder(
        home, {source.Path().string(), later.Path().string(), target.File("missing-source")}));
    EXPECT_TRUE(std::filesystem::is_directory(home + "PYXFiles/FLEFiles"));
    EXPECT_FALSE(std::filesystem::exists(home + "PYXFiles/FLEFiles/.keep"));
    EXPECT_EQ(ReadAll(home + "CLIENTS.MIR"), "the user's register");
    EXPECT_EQ(ReadAll(home + "Engineer.txt"), "from seed");
    EXPECT_EQ(ReadAll(home + "Pyrostat.pdf"), "manual");
}

// A copy cut short (a full disk during the first start) is seeded again; what
// the user changed, and any file that is not the seed's beginning, stays.
TEST(ProgramFolder, ASeededFileFoundShortIsSeededAgain) {
    TestFolder source;
    TestFolder target;
    const std::string manual(5000, 'm');
    WriteAll(source.File("Pyrostat.pdf"), manual);
    WriteAll(source.File("LDKOIN_01i.json"), "{\"template\": 1}");
    WriteAll(source.File("CLIENTS.MIR"), "register A register B");
    const std::string home = target.WithSlash();
    WriteAll(home + "Pyrostat.pdf", manual.substr(0, 4096)); // cut short
    WriteAll(home + "LDKOIN_01i.json", "{\"mine\"}");        // not the seed's beginning
    WriteAll(home + "CLIENTS.MIR", "register A");            // the user removed a name
    ASSERT_TRUE(SeedProgramFolder(home, {source.Path().string()}));
    EXPECT_EQ(ReadAll(home + "Pyrostat.pdf"), manual);
    EXPECT_EQ(ReadAll(home + "LDKOIN_01i.json"), "{\"mine\"}");
    EXPECT_EQ(ReadAll(home + "CLIENTS.MIR"), "register A");
    // No temporary file is left beside them.
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(home)) {
        ++files;
    }
    EXPECT_EQ(files, 3);
}

TEST(SingleCopyLock, RefusesASecondHolderAndTakesOverAStaleLock) {
    TestFolder folder;
    // A lock file left by a copy that crashed holds no lock.
    WriteAll(folder.File(kLockFileName), "");
    SingleCopyLock first;
    ASSERT_TRUE(first.Acquire(folder.WithSlash()));
    EXPECT_TRUE(first.Held());

    SingleCopyLock second;
    EXPECT_FALSE(second.Acquire(folder.WithSlash()));
    EXPECT_FALSE(second.Held());

    first.Release();
    EXPECT_TRUE(second.Acquire(folder.WithSlash()));
}

// With the standard input closed the lock file gets descriptor 0 and still
// guards: a second copy is refused.
TEST(SingleCopyLock, HeldOnDescriptorZero) {
    TestFolder folder;
    // Declared after the closing, so the locks are gone before it is undone.
    test::ClosedStandardInput closed;
    SingleCopyLock first;
    ASSERT_TRUE(first.Acquire(folder.WithSlash()));
    EXPECT_TRUE(first.Held());
    SingleCopyLock second;
    EXPECT_FALSE(second.Acquire(folder.WithSlash()));
    first.Release();
    EXPECT_FALSE(first.Held());
}

TEST(SingleCopyLock, ALockOfAProcessThatDiedIsTakenOver) {
    TestFolder folder;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto* lock = new SingleCopyLock; // never released: the process just ends
        ::_exit(lock->Acquire(folder.WithSlash()) && lock->Held() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    SingleCopyLock mine;
    EXPECT_TRUE(mine.Acquire(folder.WithSlash()));
    EXPECT_TRUE(mine.Held());
}

TEST(WaitSeconds, WaitsAtLeastTheTimeAndProcessesEvents) {
    using Clock = std::chrono::steady_clock;
    int rounds = 0;
    const auto start = Clock::now();
    WaitSeconds(0.05f, [&] { ++rounds; });
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(50));
    EXPECT_LT(waited, std::chrono::seconds(2));
    EXPECT_GE(rounds, 1);

    for (const float none : {0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN()}) {
        int calls = 0;
        const auto t0 = Clock::now();
        WaitSeconds(none, [&] { ++calls; });
        EXPECT_LT(Clock::now() - t0, std::chrono::milliseconds(20));
        EXPECT_EQ(calls, 0);
    }
}

TEST(SystemVersion, NameFromOsReleaseOrLinux) {
    TestFolder folder;
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n",
         "Debian GNU/Linux 12 (bookworm)"},
        {"PRETTY_NAME='Fedora Linux 40'\r\n", "Fedora Linux 40"},
        {"PRETTY_NAME=Alpine\n", "Alpine"},
        {"PRETTY_NAME=\"Say \\\"hi\\\"\"\n", "Say \"hi\""},
        {"NAME=Something\n", "Linux"},
        {"PRETTY_NAME=\"\"\n", "Linux"},
    };
    for (const auto& c : cases) {
        WriteAll(folder.File("os-release"), c.text);
        EXPECT_EQ(WindowsVersionName(folder.File("os-release")), c.expected) << c.text;
    }
    EXPECT_EQ(WindowsVersionName(folder.File("missing")), "Linux");
}

TEST(WindowPlacement, CentresAndShiftsByTwips) {
    // 200 twips at 96 dpi: 200 * 96 / 1440 = 13.33 -> 13 pixels; at 144 dpi exactly 20.
    EXPECT_EQ(TwipsToPixels(200, 96), 13);
    EXPECT_EQ(TwipsToPixels(200, 144), 20);
    EXPECT_EQ(TwipsToPixels(15, 96), 1);   // one pixel is 15 twips at 96 dpi
    EXPECT_EQ(TwipsToPixels(7.5, 96), 0);  // half a pixel: ties go to even (0)
    EXPECT_EQ(TwipsToPixels(22.5, 96), 2); // 1.5 -> 2

    const WindowPosition p = CentredPosition(0, 0, 1920, 1080, 1200, 700, 96, 96, 200);
    EXPECT_EQ(p.left, 360);     // (1920 - 1200) / 2
    EXPECT_EQ(p.top, 190 + 13); // (1080 - 700) / 2 + 13
    const WindowPosition q = CentredPosition(100, 50, 1000, 800, 600, 400, 96, 96);
    EXPECT_EQ(q.left, 100 + 200);
    EXPECT_EQ(q.top, 50 + 200);
    // A window taller than the screen keeps its title bar on screen.
    const WindowPosition r = CentredPosition(0, 0, 800, 600, 700, 900, 96, 96, 200);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 0);
}

} // namespace
} // namespace pyrostat
