#include "studies/StudyFile.h"
#include "studies/FailingFileStore.h"
#include "studies/GeneralDataFile.h"
#include "studies/MemoryStudyFields.h"
#include "studies/SampleStudy.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"
#include "support/Unprivileged.h"
#include "workspace/MemoryGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

#include <unistd.h>

namespace pyrostat {
namespace {

using test::FromHex;
using test::kExpectedStudyHex;
using test::ReadAll;
using test::RecordingMessages;
using test::TestFolder;
using test::WriteAll;
namespace fs = std::filesystem;

const char* const kTitle = "ΠΟΛΥΚΑΤΟΙΚΙΑ ΟΔΟΥ ΑΘΗΝΑΣ 12";

void FillSampleGrid(MemoryGrid& grid) {
    const std::vector<std::string> row1 = {"Α1", "5000", "1200.5", "800",     "120",          "2.8",
                                           "10", "5",    "3.5",    "ΙΣΟΓΕΙΟ", "ΕΚΤΟΣ ΙΔΙΟΚΤ."};
    const std::vector<std::string> row3 = {"Β2", "",   "", "",       "85.25",       "3",
                                           "",   "12", "", "ΡΕΤΙΡΕ", "ΑΛΛΗ ΠΕΡΙΠΤ."};
    for (int c = 1; c <= 11; ++c) {
        ASSERT_TRUE(grid.SetCellText(1, c, row1[c - 1]));
        ASSERT_TRUE(grid.SetCellText(3, c, row3[c - 1]));
    }
}

// One study window without a window: grid, title, insulation, messages.
struct Fixture {
    TestFolder folder;
    ProgramState state;
    MemoryGrid grid;
    MemoryStudyFields fields;
    RecordingMessages messages;
    StudyFile study{grid, state, messages, fields};
    int dialogShown = 0;

    Fixture() {
        state.ProgramFolder = folder.WithSlash();
        fs::create_directories(folder.Path() / "PYXFiles");
        study.ShowGeneralData = [this] { ++dialogShown; };
    }
    void EnterGeneralData(const GeneralData& data) {
        state.Employer = data.Employer;
        state.Project = data.Project;
        state.Location = data.Location;
        WriteAll(state.InProgramFolder("Thema.tmp"), FormatGeneralData(data));
    }
    std::string Study(const std::string& name) const {
        return folder.WithSlash() + "PYXFiles/" + name;
    }
};

const GeneralData kGeneral{"ΙΩΑΝΝΟΥ Γ.", "ΚΑΤΑΝΟΜΗ ΘΕΡΜΑΝΣΗΣ", "ΑΘΗΝΑ"};

TEST(SaveAsFile, WritesTheRecordLayoutByteForByte) {
    Fixture f;
    FillSampleGrid(f.grid);
    f.fields.title = std::string("  ") + kTitle + " ";
    f.fields.insulation = true;
    f.EnterGeneralData(kGeneral);

    const std::string path = f.Study("Block A.pyx");
    ASSERT_EQ(f.study.SaveAsFile(path), SaveOutcome::Saved);

    const std::string expected = FromHex(kExpectedStudyHex);
    ASSERT_EQ(expected.size(), 3u * 197u);
    EXPECT_EQ(ReadAll(path), expected);
    // The companion is a byte copy of the working file; the backup a copy of the study.
    EXPECT_EQ(ReadAll(f.Study("Block A.tpx")), ReadAll(f.state.InProgramFolder("Thema.tmp")));
    EXPECT_EQ(ReadAll(f.Study("BACKUP/Block A.pyx")), expected);
    EXPECT_EQ(f.dialogShown, 0);
    EXPECT_TRUE(f.messages.Empty());
    // No temporary file is left behind.
    for (const auto& entry : fs::recursive_directory_iterator(f.folder.Path() / "PYXFiles")) {
        EXPECT_EQ(entry.path().filename().string().find(".saving"), std::string::npos);
    }
}

TEST(SaveAsFile, RoundTripGivesTheSameStudy) {
    for (const bool insulation : {true, false}) {
        for (const NumberLocale locale : {NumberLocale::English(), NumberLocale::Greek()}) {
            Fixture f;
            f.state.DecimalSeparatorCode = locale.decimal;
            f.state.ThousandsSeparatorCode = locale.group;
            f.grid.Table().SetLocale(locale);
            const std::string d(1, locale.decimal);
            const std::vector<std::string> row = {"Διαμέρισμα Α' όροφος",
                                                  "12345" + d + "5",
                                                  "0" + d + "25",
                                                  "",
                                                  "99999" + d + "99",
                                                  "2" + d + "8",
                                                  "1",
                                                  "",
                                                  "0",
                                                  "ΥΠΟΓ.-ΗΜΙΫΠΟΓ.",
                                                  "ΕΝΤΟΣ ΙΔΙΟΚΤ."};
            for (int c = 1; c <= 11; ++c) {
                ASSERT_TRUE(f.grid.SetCellText(2, c, row[c - 1]));
            }
            ASSERT_TRUE(f.grid.SetCellText(5, 1, "Κατάστημα"));
            f.fields.title = std::string(78, 'T');
            f.fields.insulation = insulation;
            f.EnterGeneralData(kGeneral);
            const std::string path = f.Study("round.pyx");
            ASSERT_EQ(f.study.SaveAsFile(path), SaveOutcome::Saved);
            EXPECT_EQ(ReadAll(path).size(), 5u * 197u);

            MemoryGrid other(locale);
            other.SetCellText(7, 1, "left over"); // cleared by the open
            MemoryStudyFields otherFields;
            otherFields.insulation = !insulation;
            ProgramState otherState = f.state;
            otherState.Employer = otherState.Project = otherState.Location = "old";
            fs::remove(otherState.InProgramFolder("Thema.tmp"));
            RecordingMessages messages;
            StudyFile reader(other, otherState, messages, otherFields);
            ASSERT_TRUE(reader.OpenFile(path));

            EXPECT_TRUE(messages.Empty());
            EXPECT_EQ(other.DataRowCnt(), 5);
            for (int r = 1; r <= 7; ++r) {
                for (int c = 1; c <= 11; ++c) {
                    // Empty number cells come back as 0 (the file cannot tell them apart).
                    std::string want = f.grid.CellText(r, c);
                    if (r <= 5 && c >= 2 && c <= 9 && want.empty()) {
                        want = "0" + d + "00";
                    }
                    EXPECT_EQ(other.CellText(r, c), want) << r << "," << c;
                }
            }
            EXPECT_EQ(other.CellText(2, 2), "12345" + d + "50");
            EXPECT_EQ(otherFields.title, std::string(78, 'T'));
            EXPECT_EQ(otherFields.insulation, insulation);
            EXPECT_EQ(otherState.Employer, kGeneral.Employer);
            EXPECT_EQ(otherState.Project, kGeneral.Project);
            EXPECT_EQ(otherState.Location, kGeneral.Location);
            EXPECT_EQ(otherState.CurrentStudyFile, path);
            EXPECT_EQ(ReadAll(otherState.InProgramFolder("Thema.tmp")),
                      FormatGeneralData(kGeneral));
        }
    }
}

TEST(SaveAsFile, MissingGeneralDataShowsTheDialogAndWritesNothing) {
    struct Case {
        const char* name;
        bool themaExists; // "Thema.tmp" on disk (left by an earlier run)
        bool dialogFills; // the dialog is left with O.K. and filled data
        bool expectDialog;
        SaveOutcome expected;
    };
    const Case cases[] = {
        {"Esc in the dialog", false, false, true, SaveOutcome::Incomplete},
        {"O.K. in the dialog", false, true, true, SaveOutcome::Saved},
        {"file left on disk, data empty (New then Save)", true, false, false,
         SaveOutcome::Incomplete},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        FillSampleGrid(f.grid);
        if (c.themaExists) {
            WriteAll(f.state.InProgramFolder("Thema.tmp"), FormatGeneralData({}));
        }
        f.study.ShowGeneralData = [&] {
            ++f.dialogShown;
            if (c.dialogFills) {
                f.EnterGeneralData(kGeneral);
            }
        };
        const std::string path = f.Study("x.pyx");
        EXPECT_EQ(f.study.SaveAsFile(path), c.expected);
        EXPECT_EQ(f.dialogShown, c.expectDialog ? 1 : 0);
        EXPECT_EQ(fs::exists(path), c.expected == SaveOutcome::Saved);
        EXPECT_EQ(fs::exists(f.Study("x.tpx")), c.expected == SaveOutcome::Saved);
        EXPECT_EQ(fs::exists(f.Study("BACKUP")), c.expected == SaveOutcome::Saved);
        EXPECT_TRUE(f.messages.Empty());
    }
}

TEST(SaveAsFile, BackupFolderIsCreatedBesideTheStudyAndReplaced) {
    Fixture f;
    f.EnterGeneralData(kGeneral);
    const std::string folder = f.folder.WithSlash() + "elsewhere/deep/";
    fs::create_directories(folder);
    ASSERT_TRUE(f.grid.SetCellText(1, 1, "first"));
    ASSERT_EQ(f.study.SaveAsFile(folder + "s.pyx"), SaveOutcome::Saved);
    EXPECT_TRUE(fs::is_directory(folder + "BACKUP"));
    EXPECT_EQ(ReadAll(folder + "BACKUP/s.pyx").size(), 197u);
    EXPECT_EQ(ReadAll(folder + "BACKUP/s.pyx").substr(80, 5), "first");

    ASSERT_TRUE(f.grid.SetCellText(2, 1, "second"));
    ASSERT_EQ(f.study.SaveAsFile(folder + "s.pyx"), SaveOutcome::Saved);
    EXPECT_EQ(ReadAll(folder + "BACKUP/s.pyx"), ReadAll(folder + "s.pyx"));
    EXPECT_EQ(ReadAll(folder + "BACKUP/s.pyx").size(), 2u * 197u);
    EXPECT_FALSE(fs::exists(folder + "s.pyx/BACKUP"));

    // An empty study is saved as an empty file and leaves the last backup alone.
    f.grid.Table().ClearBlock(1, 1, 2, 11);
    ASSERT_EQ(f.study.SaveAsFile(folder + "s.pyx"), SaveOutcome::Saved);
    EXPECT_EQ(ReadAll(folder + "s.pyx"), "");
    EXPECT_EQ(ReadAll(folder + "BACKUP/s.pyx").size(), 2u * 197u);
}

TEST(SaveAsFile, AFailureHalfWayLeavesTheOldFilesIntact) {
    // The new study is 2 records (394 bytes); the companion about 60 bytes.
    struct Case {
        const char* name;
        size_t budget;
        bool failRenames;
    };
    const Case cases[] = {
        {"disk full before anything", 0, false},
        {"disk full inside the study", 200, false},
        {"disk full inside the companion", 394 + 10, false},
        {"disk full inside the backup", 394 + 60 + 100, false},
        {"rename refused", 100000, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.EnterGeneralData(kGeneral);
        const std::string path = f.Study("keep.pyx");
        ASSERT_TRUE(f.grid.SetCellText(1, 1, "old"));
        ASSERT_EQ(f.study.SaveAsFile(path), SaveOutcome::Saved);
        const std::string oldStudy = ReadAll(path);
        const std::string oldCompanion = ReadAll(f.Study("keep.tpx"));
        const std::string oldBackup = ReadAll(f.Study("BACKUP/keep.pyx"));
        ASSERT_EQ(oldStudy.size(), 197u);

        ASSERT_TRUE(f.grid.SetCellText(2, 1, "new"));
        f.EnterGeneralData({"ΝΕΟΣ ΕΡΓΟΔΟΤΗΣ ΜΕ ΜΑΚΡΥ ΟΝΟΜΑ", "ΝΕΟ ΕΡΓΟ", "ΠΑΤΡΑ"});
        test::FailingFileStore store(c.budget);
        store.failRenames = c.failRenames;
        f.study.SetFileStore(store);
        EXPECT_EQ(f.study.SaveAsFile(path), SaveOutcome::Failed);

        EXPECT_EQ(ReadAll(path), oldStudy);
        EXPECT_EQ(ReadAll(f.Study("keep.tpx")), oldCompanion);
        EXPECT_EQ(ReadAll(f.Study("BACKUP/keep.pyx")), oldBackup);
        ASSERT_EQ(f.messages.shown.size(), 1u);
        EXPECT_EQ(f.messages.Last().title, "!! ΠΡΟΣΟΧΗ !!");
        EXPECT_NE(f.messages.Last().prompt.find("ΑΠΕΤΥΧΕ"), std::string::npos);
        EXPECT_EQ(f.messages.beeps, 2);
        for (const auto& entry : fs::recursive_directory_iterator(f.folder.Path() / "PYXFiles")) {
            EXPECT_EQ(entry.path().filename().string().find(".saving"), std::string::npos)
                << entry.path();
        }
    }
}

// Run as an ordinary user (a superuser parent drops to "nobody"), where the
// folder's permissions hold as on an engineer's desktop.
// A working file that still holds another study's general data (its
// rewriting failed when this study was opened) never becomes this study's
// companion: the data the program works with are saved.
TEST(SaveAsFile, TheCompanionCarriesTheGeneralDataInUse) {
    Fixture f;
    f.EnterGeneralData(kGeneral);
    ASSERT_TRUE(f.grid.SetCellText(1, 1, "x"));
    // Another study's data left in the working file.
    WriteAll(f.folder.File("Thema.tmp"), FormatGeneralData({"ΑΛΛΟΣ", "ΑΛΛΟ", "ΑΛΛΟΥ"}));
    ASSERT_EQ(f.study.SaveAsFile(f.Study("mine.pyx")), SaveOutcome::Saved);
    EXPECT_EQ(ReadAll(f.Study("mine.tpx")), FormatGeneralData(kGeneral));
    // The working file of this study's data is copied byte for byte.
    const std::string own = "\"" + std::string("\xC1") + "\"\r\n\"\xC2\"\r\n\"\xC3\"\r\n";
    WriteAll(f.folder.File("Thema.tmp"), own);
    f.state.Employer = "Α";
    f.state.Project = "Β";
    f.state.Location = "Γ";
    ASSERT_EQ(f.study.SaveAsFile(f.Study("mine.pyx")), SaveOutcome::Saved);
    EXPECT_EQ(ReadAll(f.Study("mine.tpx")), own);
}

// A study the user may read but not write (another user's, or marked
// read-only) is refused with a message and stays as it was; so does its
// companion.
TEST(SaveAsFile, AStudyThatMayNotBeWrittenIsRefusedWhole) {
    Fixture f;
    f.EnterGeneralData(kGeneral);
    const std::string path = f.Study("ro.pyx");
    ASSERT_TRUE(f.grid.SetCellText(1, 1, "old"));
    ASSERT_EQ(f.study.SaveAsFile(path), SaveOutcome::Saved);
    const std::string oldStudy = ReadAll(path);
    const std::string oldCompanion = ReadAll(f.Study("ro.tpx"));
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ASSERT_TRUE(f.grid.SetCellText(1, 1, "new"));
    f.EnterGeneralData({"ΑΛΛΟΣ", "ΑΛΛΟ", "ΑΛΛΟΥ"});
    EXPECT_EQ(f.study.SaveAsFile(path), SaveOutcome::Failed);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_NE(f.messages.Last().prompt.find("μόνο για ανάγνωση"), std::string::npos)
        << f.messages.Last().prompt;
    EXPECT_EQ(ReadAll(path), oldStudy);
    EXPECT_EQ(ReadAll(f.Study("ro.tpx")), oldCompanion);

    // Another user's study in a shared folder: readable, not writable.
    fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
    test::OpenToEveryone(f.folder.Path().string());
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read);
    fs::permissions(f.Study("ro.tpx"),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    EXPECT_TRUE(test::RunUnprivileged([&] {
        f.messages.shown.clear();
        return f.study.SaveAsFile(path) == SaveOutcome::Failed &&
               f.messages.Last().prompt.find("δικαιώματα") != std::string::npos;
    }));
    EXPECT_EQ(ReadAll(path), oldStudy);
}

// Saving through a symbolic link replaces the study it points to; the link
// stays a link.
TEST(SaveAsFile, ALinkedStudyIsWrittenWhereTheLinkPoints) {
    Fixture f;
    f.EnterGeneralData(kGeneral);
    fs::create_directories(f.folder.Path() / "elsewhere");
    const std::string real = f.folder.WithSlash() + "elsewhere/real.pyx";
    WriteAll(real, "");
    fs::create_symlink(real, f.Study("link.pyx"));
    ASSERT_TRUE(f.grid.SetCellText(1, 1, "linked"));
    ASSERT_EQ(f.study.SaveAsFile(f.Study("link.pyx")), SaveOutcome::Saved);
    EXPECT_TRUE(fs::is_symlink(f.Study("link.pyx")));
    EXPECT_EQ(ReadAll(real).size(), 197u);
}

std::string Single(float value) {
    std::string b(4, '\0');
    std::memcpy(b.data(), &value, 4); // little-endian test machine, as the files
    return b;
}

// One stored record of the layout: name "Α1", area 120, height 2.5, kind
// "ΕΝΔΙΑΜΕΣΟ", pipes "ΑΛΛΗ ΠΕΡΙΠΤ.", title "T", insulation as given.
std::string HandRecord(int16_t rowNo, float area, float insulation) {
    std::string r;
    r += std::string(reinterpret_cast<const char*>(&rowNo), 2);
    r += "T" + std::string(77, ' ');
    r += "\xC1"
         "1" +
         std::string(33, ' ');
    r += Single(0) + Single(0) + Single(0) + Single(area) + Single(2.5f) + Single(area * 2.5f);
    r += Single(0) + Single(0) + Single(0);
    r += "\xC5\xCD\xC4\xC9\xC1\xCC\xC5\xD3\xCF" + std::string(6, ' ');
    r += "\xC1\xCB\xCB\xC7 \xD0\xC5\xD1\xC9\xD0\xD4." + std::string(3, ' ');
    r += Single(insulation) + std::string(12, '\0');
    return r;
}

TEST(OpenFile, DamagedAndEmptyFiles) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* name;
        std::string bytes;
        int rows;          // grid rows after the open
        const char* area1; // text of cell (1, 5)
        bool warned;
        const char* titleAfter; // title box after the open
        bool insulationAfter;   // starts ticked
    };
    const Case cases[] = {
        {"empty file", "", 0, "", false, "before", true},
        {"one whole record", HandRecord(1, 120, 0), 1, "120.00", false, "T", false},
        {"partial second record", HandRecord(1, 120, -1) + std::string(100, 'x'), 1, "120.00", true,
         "T", true},
        {"shorter than one record", std::string(50, '\0'), 0, "", true, "before", true},
        {"NaN area", HandRecord(1, nan, 0), 1, "", true, "T", false},
        {"infinite area", HandRecord(1, inf, 0), 1, "", true, "T", false},
        {"negative area", HandRecord(1, -5, 0), 1, "", true, "T", false},
        {"area beyond the cell's range", HandRecord(1, 1e9f, 0), 1, "", true, "T", false},
        {"largest area", HandRecord(1, 99999999.99f, 0), 1, "99999999.99", false, "T", false},
        {"odd insulation value", HandRecord(1, 7, 1.0f), 1, "7.00", false, "T", true},
        {"rows by position, not RowNo", HandRecord(9, 1, 0) + HandRecord(3, 2, 0), 2, "1.00", false,
         "T", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.fields.title = "before";
        f.fields.insulation = true;
        for (int r = 1; r <= 4; ++r) {
            ASSERT_TRUE(f.grid.SetCellText(r, 1, "stale"));
        }
        const std::string path = f.Study("d.pyx");
        WriteAll(path, c.bytes);
        EXPECT_TRUE(f.study.OpenFile(path));
        EXPECT_EQ(f.grid.DataRowCnt(), c.rows);
        EXPECT_EQ(f.grid.CellText(1, 5), c.area1);
        if (c.rows >= 1) {
            EXPECT_EQ(f.grid.CellText(1, 1), "Α1");
            EXPECT_EQ(f.grid.CellText(1, 6), "2.50");
            EXPECT_EQ(f.grid.CellText(1, 10), "ΕΝΔΙΑΜΕΣΟ");
            EXPECT_EQ(f.grid.CellText(1, 11), "ΑΛΛΗ ΠΕΡΙΠΤ.");
        }
        EXPECT_EQ(f.fields.title, c.titleAfter);
        EXPECT_EQ(f.fields.insulation, c.insulationAfter);
        EXPECT_EQ(f.state.CurrentStudyFile, path);
        EXPECT_EQ(f.messages.shown.size(), c.warned ? 1u : 0u);
        if (c.warned) {
            EXPECT_NE(f.messages.Last().prompt.find("ΚΑΤΕΣΤΡΑΜΜΕΝΟ"), std::string::npos);
        }
    }
}

TEST(OpenFile, MissingFileChangesNothing) {
    Fixture f;
    ASSERT_TRUE(f.grid.SetCellText(1, 1, "kept"));
    f.state.CurrentStudyFile = "/previous.pyx";
    EXPECT_FALSE(f.study.OpenFile(f.Study("nothing.pyx")));
    EXPECT_FALSE(fs::exists(f.Study("nothing.pyx"))); // not created by the attempt
    EXPECT_EQ(f.grid.CellText(1, 1), "kept");
    EXPECT_EQ(f.state.CurrentStudyFile, "/previous.pyx");
    EXPECT_EQ(f.messages.shown.size(), 1u);
}

TEST(OpenFile, WithoutCompanionTheGeneralDataAreEmptyAndThemaStays) {
    Fixture f;
    f.EnterGeneralData(kGeneral);
    const std::string thema = ReadAll(f.state.InProgramFolder("Thema.tmp"));
    WriteAll(f.Study("alone.pyx"), HandRecord(1, 50, 0));
    int waits = 0;
    f.study.WaitSeconds = [&](float) { ++waits; };
    ASSERT_TRUE(f.study.OpenFile(f.Study("alone.pyx")));
    EXPECT_EQ(f.state.Employer, "");
    EXPECT_EQ(f.state.Project, "");
    EXPECT_EQ(f.state.Location, "");
    EXPECT_EQ(ReadAll(f.state.InProgramFolder("Thema.tmp")), thema);
    EXPECT_EQ(waits, 0);

    // With the companion: one pause, then its bytes become the working file.
    const std::string companion = "\"E\"\r\n\"P\"\r\n\"L\"\r\n";
    WriteAll(f.Study("alone.tpx"), companion);
    ASSERT_TRUE(f.study.OpenFile(f.Study("alone.pyx")));
    EXPECT_EQ(waits, 1);
    EXPECT_EQ(f.state.Employer, "E");
    EXPECT_EQ(f.state.Location, "L");
    EXPECT_EQ(ReadAll(f.state.InProgramFolder("Thema.tmp")), companion);
}

} // namespace
} // namespace pyrostat
