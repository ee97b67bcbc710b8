#include "studies/StudyBrowser.h"
#include "studies/StudiesListFile.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <limits>

#include <ctime>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>

namespace pyrostat {
namespace {

using test::ReadAll;
using test::TestFolder;
using test::WriteAll;
namespace fs = std::filesystem;

std::string Padded(const std::string& bytes, size_t width) {
    return bytes + std::string(width - bytes.size(), ' ');
}

// A study file whose first record carries `titleBytes` (Windows-1253) at
// offset 2, 78 bytes wide.
std::string StudyWithTitle(const std::string& titleBytes, int records = 1) {
    std::string one(197, '\0');
    one.replace(2, 78, Padded(titleBytes, 78));
    std::string all;
    for (int i = 0; i < records; ++i) {
        all += one;
    }
    return all;
}

// Sets a file's modification time to a local date and time.
void Touch(const std::string& path, int year, int month, int day, int hour, int minute) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = 30;
    local.tm_isdst = -1;
    const timespec times[2] = {{std::mktime(&local), 0}, {std::mktime(&local), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

struct Program {
    TestFolder folder;
    ProgramState state;
    Program() { state.ProgramFolder = folder.WithSlash(); }
    std::string Studies() const { return folder.WithSlash() + "PYXFiles/"; }
    void AddStudy(const std::string& name, const std::string& bytes) {
        fs::create_directories(Studies());
        WriteAll(Studies() + name, bytes);
    }
};

TEST(StudiesListFile, EntriesFollowTheLayoutByteForByte) {
    Program p;
    // "ΠΟΛΥΚΑΤΟΙΚΙΑ" and "ΚΑΤΑΣΤΗΜΑ" in the Greek code page.
    const std::string title1 = "\xD0\xCF\xCB\xD5\xCA\xC1\xD4\xCF\xC9\xCA\xC9\xC1";
    const std::string title2 = "\xCA\xC1\xD4\xC1\xD3\xD4\xC7\xCC\xC1";
    p.AddStudy("b.pyx", StudyWithTitle(title2, 3));
    p.AddStudy("a.pyx", StudyWithTitle(title1));
    Touch(p.Studies() + "a.pyx", 2024, 3, 5, 14, 7);
    Touch(p.Studies() + "b.pyx", 2025, 12, 31, 9, 59);

    EXPECT_EQ(MakeCurrentStudiesFile(p.state, p.Studies()), 2);

    const std::string folderField = Padded(p.Studies(), 264); // ASCII temp path
    std::string expected;
    expected += std::string("\x01\x00", 2) + Padded(title1, 120) + folderField +
                Padded("a.pyx", 100) + Padded("05/03/2024", 12) + Padded("14:07", 10) +
                std::string(18, '\0');
    expected += std::string("\x02\x00", 2) + Padded(title2, 120) + folderField +
                Padded("b.pyx", 100) + Padded("31/12/2025", 12) + Padded("09:59", 10) +
                std::string(18, '\0');
    EXPECT_EQ(ReadAll(p.state.InProgramFolder("Studies.std")), expected);
}

// Greek capitals sort with their small letters, as Latin ones do: «Αω»
// after «αβ», not before every small letter.
TEST(StudiesListFile, CapitalsSortWithTheirSmallLetters) {
    Program p;
    // The underscore stands between the capitals and the small letters: A
    // and Z sort after it, as a and z.
    for (const char* name :
         {"Ωμέγα.pyx", "αβ.pyx", "Αω.pyx", "Zeta.pyx", "alpha.pyx", "Z.pyx", "_.pyx", "A.pyx"}) {
        p.AddStudy(name, StudyWithTitle("T"));
    }
    const std::vector<std::string> want = {"_.pyx",    "A.pyx",  "alpha.pyx", "Z.pyx",
                                           "Zeta.pyx", "αβ.pyx", "Αω.pyx",    "Ωμέγα.pyx"};
    EXPECT_EQ(ListStudyFileNames(p.Studies()), want);
}

TEST(StudiesListFile, OrderFilterAndRebuildFromNothing) {
    Program p;
    for (const char* name :
         {"b.pyx", "A.pyx", "c.PYX", "Γ.pyx", "α.pyx", "notes.txt", "x.pyx.bak"}) {
        p.AddStudy(name, StudyWithTitle(std::string("T") + name[0]));
    }
    fs::create_directories(p.Studies() + "sub.pyx");
    WriteAll(p.Studies() + "sub.pyx/inner.pyx", StudyWithTitle("inner"));
    // A longer list of an earlier rebuild.
    WriteAll(p.state.InProgramFolder("Studies.std"), std::string(9 * 526, 'x'));

    const std::vector<std::string> want = {"A.pyx", "b.pyx", "c.PYX", "α.pyx", "Γ.pyx"};
    EXPECT_EQ(ListStudyFileNames(p.Studies()), want);
    // The folder without its trailing "/" is completed.
    EXPECT_EQ(MakeCurrentStudiesFile(p.state, p.folder.WithSlash() + "PYXFiles"), 5);
    const StudiesList list = ReadStudiesList(p.state.InProgramFolder("Studies.std"));
    EXPECT_FALSE(list.partial);
    ASSERT_EQ(list.entries.size(), 5u);
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(list.entries[i].EntryNo, static_cast<int16_t>(i + 1));
        EXPECT_EQ(list.entries[i].StudyFileName, want[i]);
        EXPECT_EQ(list.entries[i].StudyFolder, p.Studies());
    }
    EXPECT_EQ(fs::file_size(p.state.InProgramFolder("Studies.std")), 5u * 526u);

    // Fewer studies later: the list shrinks with them.
    fs::remove(p.Studies() + "b.pyx");
    EXPECT_EQ(MakeCurrentStudiesFile(p.state, p.Studies()), 4);
    EXPECT_EQ(fs::file_size(p.state.InProgramFolder("Studies.std")), 4u * 526u);
}

TEST(StudiesListFile, NamesTheListCannotHoldAreLeftOut) {
    Program p;
    const std::string longest = std::string(96, 'n') + ".pyx"; // 100 bytes: fits
    const std::string tooLong = std::string(97, 'n') + ".pyx";
    for (const std::string& name :
         {std::string("ok.pyx"), std::string("日本.pyx"), longest, tooLong}) {
        p.AddStudy(name, StudyWithTitle("T"));
    }
    EXPECT_EQ(ListStudyFileNames(p.Studies()).size(), 4u);
    EXPECT_EQ(MakeCurrentStudiesFile(p.state, p.Studies()), 2);
    const StudiesList list = ReadStudiesList(p.state.InProgramFolder("Studies.std"));
    ASSERT_EQ(list.entries.size(), 2u);
    EXPECT_EQ(list.entries[0].StudyFileName, longest);
    EXPECT_EQ(list.entries[1].StudyFileName, "ok.pyx");
}

TEST(StudiesListFile, ShortStudyFilesGiveBlankTitles) {
    Program p;
    p.AddStudy("empty.pyx", "");
    p.AddStudy("short.pyx", std::string(100, 'Z'));
    p.AddStudy("whole.pyx", StudyWithTitle("OK") + "tail");
    ASSERT_EQ(MakeCurrentStudiesFile(p.state, p.Studies()), 3);
    const StudiesList list = ReadStudiesList(p.state.InProgramFolder("Studies.std"));
    ASSERT_EQ(list.entries.size(), 3u);
    EXPECT_EQ(list.entries[0].ListTitle, "");
    EXPECT_EQ(list.entries[1].ListTitle, "");
    EXPECT_EQ(list.entries[2].ListTitle, "OK");
}

TEST(StudiesListFile, DamagedListReadsWholeEntriesOnly) {
    Program p;
    StudyListEntry e;
    e.EntryNo = 1;
    e.ListTitle = "Μία";
    e.StudyFolder = "/f/";
    e.StudyFileName = "m.pyx";
    const std::string path = p.state.InProgramFolder("Studies.std");
    for (const size_t extra : {0u, 1u, 525u}) {
        WriteAll(path, e.Pack() + std::string(extra, 'q'));
        const StudiesList list = ReadStudiesList(path);
        ASSERT_EQ(list.entries.size(), 1u);
        EXPECT_EQ(list.entries[0].ListTitle, "Μία");
        EXPECT_EQ(list.partial, extra != 0);
    }
    WriteAll(path, "");
    EXPECT_TRUE(ReadStudiesList(path).entries.empty());
}

TEST(StudiesListFile, CountWithDigitGrouping) {
    struct Case {
        long long count;
        char group;
        const char* text;
    };
    const Case cases[] = {
        {0, ',', ""},
        {3, ',', "3"},
        {999, ',', "999"},
        {1000, ',', "1,000"},
        {1234, ',', "1,234"},
        {1234, '.', "1.234"},
        {99999, '.', "99.999"},
        {1234567, ',', "1,234,567"},
        {-1234, '.', "-1.234"},
        {-999, '.', "-999"},
        {std::numeric_limits<long long>::min(), ',', "-9,223,372,036,854,775,808"}};
    for (const Case& c : cases) {
        EXPECT_EQ(FormatStudyCount(c.count, c.group), c.text) << c.count;
    }
}

TEST(StudyBrowser, MissingFolderIsCreatedAndGivesAnEmptyList) {
    Program p;
    StudyBrowser browser(p.state);
    browser.Load();
    EXPECT_TRUE(fs::is_directory(p.Studies()));
    EXPECT_TRUE(browser.Lines().empty());
    EXPECT_EQ(browser.CountText(), "");
    EXPECT_EQ(fs::file_size(p.state.InProgramFolder("Studies.std")), 0u);
    browser.Select(0);
    EXPECT_FALSE(browser.SelectedPath());
}

TEST(StudyBrowser, SelectionFillsTheLabelsAndGivesThePath) {
    Program p;
    p.AddStudy("Block B.pyx", StudyWithTitle("SECOND"));
    p.AddStudy("Block A.pyx", StudyWithTitle("FIRST " + std::string(70, 'x')));
    p.AddStudy("Block C.pyx", StudyWithTitle("THIRD"));
    Touch(p.Studies() + "Block B.pyx", 2026, 1, 2, 23, 5);
    StudyBrowser browser(p.state, [](int y, int m, int d) {
        return std::to_string(d) + "." + std::to_string(m) + "." + std::to_string(y);
    });
    browser.Load();
    browser.Activate();
    ASSERT_EQ(browser.Lines().size(), 3u);
    EXPECT_EQ(browser.Lines()[1], "SECOND");
    EXPECT_EQ(browser.CountText(), "3");
    EXPECT_EQ(browser.Caption, "");
    EXPECT_EQ(browser.FilePathLabel, p.Studies());
    EXPECT_EQ(browser.FileNameLabel, "");
    EXPECT_FALSE(browser.SelectedPath());

    browser.Select(1);
    EXPECT_EQ(browser.Caption, "SECOND");
    EXPECT_EQ(browser.FileNameLabel, "Block B.pyx");
    EXPECT_EQ(browser.FilePathLabel, p.Studies());
    EXPECT_EQ(browser.FileDateLabel, " < 2.1.2026 > ");
    EXPECT_EQ(browser.FileTimeLabel, " < 23:05 > ");
    EXPECT_EQ(browser.SelectedPath(), p.Studies() + "Block B.pyx");

    EXPECT_EQ(browser.ToolTipFor(0), "FIRST " + std::string(70, 'x'));
    EXPECT_EQ(browser.ToolTipFor(3), "");
    EXPECT_EQ(browser.ToolTipFor(-1), "");

    browser.Activate();
    EXPECT_FALSE(browser.SelectedPath());
    EXPECT_EQ(browser.FileNameLabel, "");
    EXPECT_EQ(browser.FileDateLabel, "");
    EXPECT_EQ(browser.FilePathLabel, p.Studies());
}

// The browser lists only studies of the study folder that the program can
// read: an entry of a list it could not rebuild that points elsewhere is
// dropped, and the user is told about the list.
TEST(StudyBrowser, OnlyReadableStudiesOfTheFolderAreListed) {
    Program p;
    p.AddStudy("Real.pyx", StudyWithTitle("REAL"));
    ASSERT_EQ(::mkfifo((p.Studies() + "Pipe.pyx").c_str(), 0644), 0);
    fs::create_directory(p.Studies() + "Folder.pyx");
    StudyListEntry foreign;
    foreign.EntryNo = 1;
    foreign.ListTitle = "PASSWORDS";
    foreign.StudyFolder = "/etc/";
    foreign.StudyFileName = "passwd";
    const std::string listPath = p.state.InProgramFolder("Studies.std");
    WriteAll(listPath, foreign.Pack());
    fs::permissions(listPath, fs::perms::owner_read | fs::perms::group_read);

    StudyBrowser browser(p.state);
    browser.Load();
    ASSERT_EQ(browser.Lines().size(), 1u);
    EXPECT_EQ(browser.Lines()[0], "REAL");
    browser.Select(0);
    EXPECT_EQ(browser.SelectedPath(), p.Studies() + "Real.pyx");
    EXPECT_NE(browser.Warning.find("Studies.std"), std::string::npos) << browser.Warning;
    EXPECT_NE(browser.Warning.find("μόνο για ανάγνωση"), std::string::npos) << browser.Warning;

    // A folder in place of the list: the same, without an abort.
    fs::permissions(listPath, fs::perms::owner_all);
    fs::remove(listPath);
    fs::create_directories(listPath + "/inside");
    StudyBrowser again(p.state);
    again.Load();
    ASSERT_EQ(again.Lines().size(), 1u);
    EXPECT_NE(again.Warning.find("είναι φάκελος"), std::string::npos) << again.Warning;

    // All well: nothing to tell.
    fs::remove_all(listPath);
    StudyBrowser quiet(p.state);
    quiet.Load();
    EXPECT_EQ(quiet.Lines().size(), 1u);
    EXPECT_EQ(quiet.Warning, "");
}

} // namespace
} // namespace pyrostat
