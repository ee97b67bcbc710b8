#include "studies/StudyCommands.h"
#include "studies/GeneralDataFile.h"
#include "studies/MemoryStudyFields.h"
#include "studies/ScriptedFileDialogs.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"
#include "workspace/MemoryGrid.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pyrostat {
namespace {

using Answer = MessageService::Answer;
using test::ReadAll;
using test::RecordingMessages;
using test::ScriptedFileDialogs;
using test::TestFolder;
using test::WriteAll;
namespace fs = std::filesystem;

const GeneralData kGeneral{"ΕΡΓΟΔΟΤΗΣ Α", "ΕΡΓΟ Β", "ΘΕΣΗ Γ"};

struct Window {
    TestFolder folder;
    ProgramState state;
    MemoryGrid grid;
    MemoryStudyFields fields;
    RecordingMessages messages;
    ScriptedFileDialogs dialogs;
    StudyCommands commands{grid, state, messages, fields, dialogs};

    Window() {
        state.ProgramFolder = folder.WithSlash();
        fs::create_directories(folder.Path() / "PYXFiles");
    }
    std::string Program(const std::string& name) const { return folder.WithSlash() + name; }
    std::string Study(const std::string& name) const {
        return folder.WithSlash() + "PYXFiles/" + name;
    }
    void EnterGeneralData() {
        state.Employer = kGeneral.Employer;
        state.Project = kGeneral.Project;
        state.Location = kGeneral.Location;
        WriteAll(Program("Thema.tmp"), FormatGeneralData(kGeneral));
    }
    void TypeRow(int row) {
        ASSERT_TRUE(grid.SetCellText(row, 1, "Ιδιοκτησία " + std::to_string(row)));
        ASSERT_TRUE(grid.SetCellText(row, 5, "80"));
        ASSERT_TRUE(grid.SetCellText(row, 10, "ΕΝΔΙΑΜΕΣΟ"));
    }
};

TEST(StudyCommandsNew, AsksOnlyWhenTheResultFileExists) {
    struct Case {
        const char* name;
        bool resultFile;
        Answer answer;
        bool expectQuestion;
        bool expectCleared;
        bool themaAfter;
        bool resultAfter;
    };
    const Case cases[] = {
        {"right after start-up", false, Answer::Yes, false, true, true, false},
        {"after a calculation, Yes", true, Answer::Yes, true, true, false, false},
        {"after a calculation, No", true, Answer::No, true, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window w;
        w.TypeRow(1);
        w.TypeRow(4);
        w.EnterGeneralData();
        w.fields.title = "ΤΙΤΛΟΣ";
        w.fields.insulation = true;
        w.state.DefaultHeight = 2.8f;
        w.state.StudyTitle = "ΤΙΤΛΟΣ";
        w.state.CurrentStudyFile = w.Study("old.pyx");
        if (c.resultFile) {
            WriteAll(w.Program("PYROSTAT.TMP"), std::string(149, '\0'));
        }
        w.commands.MarkUnchanged(); // as just saved: nothing to lose
        w.messages.AnswerNext(c.answer);
        int cleared = 0; // what the status line said of the old study is taken back
        w.commands.Cleared = [&cleared] { ++cleared; };

        EXPECT_EQ(w.commands.New(), c.expectCleared);
        EXPECT_EQ(cleared, c.expectCleared ? 1 : 0);

        ASSERT_EQ(w.messages.shown.size(), c.expectQuestion ? 1u : 0u);
        if (c.expectQuestion) {
            const auto& box = w.messages.Last();
            EXPECT_EQ(box.title, "!... ΠΡΟΣΟΧΗ ...!");
            EXPECT_EQ(box.prompt, "ΝΕΑ ΜΕΛΕΤΗ ???");
            EXPECT_EQ(box.icon, MessageService::Icon::Question);
            EXPECT_EQ(box.buttons, MessageService::Buttons::YesNo);
            EXPECT_EQ(box.defaultAnswer, Answer::No);
        }
        EXPECT_EQ(fs::exists(w.Program("Thema.tmp")), c.themaAfter);
        EXPECT_EQ(fs::exists(w.Program("PYROSTAT.TMP")), c.resultAfter);
        EXPECT_EQ(w.grid.DataRowCnt(), c.expectCleared ? 0 : 4);
        EXPECT_EQ(w.state.Employer.empty(), c.expectCleared);
        EXPECT_EQ(w.state.Location.empty(), c.expectCleared);
        EXPECT_EQ(w.state.StudyTitle.empty(), c.expectCleared);
        EXPECT_EQ(w.state.CurrentStudyFile.empty(), c.expectCleared);
        EXPECT_EQ(w.state.DefaultHeight, c.expectCleared ? 0.0f : 2.8f);
        // The title box and the insulation box keep their contents either way.
        EXPECT_EQ(w.fields.title, "ΤΙΤΛΟΣ");
        EXPECT_TRUE(w.fields.insulation);
    }
}

TEST(StudyCommandsNew, FollowedBySaveWithEmptyDataWritesNothing) {
    Window w;
    w.EnterGeneralData();
    w.commands.MarkUnchanged();
    w.commands.New(); // no result file: "Thema.tmp" stays on disk
    w.TypeRow(1);
    int dialog = 0;
    w.commands.File().ShowGeneralData = [&] { ++dialog; };
    w.dialogs.AnswerNext(w.Study("n.pyx"));
    EXPECT_EQ(w.commands.Save(), SaveOutcome::Incomplete);
    EXPECT_EQ(dialog, 0);
    EXPECT_FALSE(fs::exists(w.Study("n.pyx")));
}

// Typed work is never dropped by a command that replaces the grid: New and
// Open ask as closing the window does, and only Yes (saved) or No go on.
TEST(StudyCommandsNew, UnsavedWorkIsAskedAboutBeforeNewAndOpen) {
    struct Case {
        const char* name;
        Answer answer;
        bool saveNamed; // the save dialog is answered with a name
        bool cleared;
        bool saved;
    };
    const Case cases[] = {
        {"Cancel keeps everything", Answer::Cancel, false, false, false},
        {"No discards, and does not ask again", Answer::No, false, true, false},
        {"Yes saves first", Answer::Yes, true, true, true},
        {"Yes with the save abandoned keeps the study", Answer::Yes, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window w;
        w.EnterGeneralData();
        w.commands.MarkUnchanged();
        w.TypeRow(1);
        WriteAll(w.Program("PYROSTAT.TMP"), std::string(149, '\0'));
        ASSERT_TRUE(w.commands.HasUnsavedChanges());
        w.messages.AnswerNext(c.answer);
        w.dialogs.AnswerNext(c.saveNamed ? std::optional<std::string>(w.Study("kept.pyx"))
                                         : std::nullopt);
        EXPECT_EQ(w.commands.New(), c.cleared);
        ASSERT_EQ(w.messages.shown.size(), 1u);
        EXPECT_EQ(w.messages.Last().prompt, kUnsavedChangesPrompt);
        EXPECT_EQ(w.messages.Last().buttons, MessageService::Buttons::YesNoCancel);
        EXPECT_EQ(w.grid.DataRowCnt(), c.cleared ? 0 : 1);
        EXPECT_EQ(fs::exists(w.Study("kept.pyx")), c.saved);
    }

    // Open: Cancel never shows the browser, No does.
    for (const Answer answer : {Answer::Cancel, Answer::No}) {
        Window w;
        w.TypeRow(2);
        int browserShown = 0;
        w.commands.ShowBrowser = [&] { ++browserShown; };
        w.messages.AnswerNext(answer);
        w.commands.Open();
        EXPECT_EQ(browserShown, answer == Answer::No ? 1 : 0);
        EXPECT_EQ(w.messages.shown.size(), 1u);
    }
    // Nothing typed: nothing asked.
    Window quiet;
    int shown = 0;
    quiet.commands.ShowBrowser = [&] { ++shown; };
    quiet.commands.Open();
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(quiet.messages.Empty());
}

// A table imported from a file replaces the grid through the cell rules and
// gives the window its title, insulation and general data; the study has no
// file yet and counts as changed.
TEST(StudyCommandsImport, ATableReplacesTheGridAndTheDataItGives) {
    Window w;
    w.TypeRow(1);
    w.TypeRow(7);
    w.state.CurrentStudyFile = w.Study("old.pyx");
    w.fields.title = "ΠΑΛΙΟΣ";
    w.fields.insulation = true;
    w.commands.MarkUnchanged();
    StudyTextContents table;
    table.title = "ΝΕΟΣ ΤΙΤΛΟΣ";
    table.insulation = false;
    table.insulationGiven = true;
    table.general = {"Ε", "Π", "Θ"};
    StudyRow row;
    row[0] = "Β1";
    row[4] = "75.50";
    row[9] = "ΡΕΤΙΡΕ";
    table.rows = {row};
    w.commands.PutTable(table);
    EXPECT_EQ(w.grid.DataRowCnt(), 1);
    EXPECT_EQ(w.grid.CellText(1, 1), "Β1");
    EXPECT_EQ(w.grid.CellText(1, 5), "75.50");
    EXPECT_EQ(w.grid.CellText(7, 1), "");
    EXPECT_EQ(w.fields.title, "ΝΕΟΣ ΤΙΤΛΟΣ");
    EXPECT_FALSE(w.fields.insulation);
    EXPECT_EQ(w.state.Employer, "Ε");
    EXPECT_EQ(ReadAll(w.Program("Thema.tmp")), FormatGeneralData({"Ε", "Π", "Θ"}));
    EXPECT_TRUE(w.state.CurrentStudyFile.empty());
    EXPECT_TRUE(w.commands.HasUnsavedChanges());

    // A table without title, insulation or general data leaves them.
    StudyTextContents bare;
    bare.rows = {row};
    w.commands.PutTable(bare);
    EXPECT_EQ(w.fields.title, "ΝΕΟΣ ΤΙΤΛΟΣ");
    EXPECT_FALSE(w.fields.insulation);
    EXPECT_EQ(w.state.Employer, "Ε");
}

TEST(StudyCommandsSave, ChoosesThePath) {
    struct Case {
        const char* name;
        std::string current; // CurrentStudyFile before
        bool saveAs;
        std::optional<std::string> answer; // what the save dialog returns
        bool expectDialog;
        std::string expectWritten; // relative to PYXFiles/; empty: nothing
        SaveOutcome expected;
    };
    const Case cases[] = {
        {"current file, no dialog", "cur.pyx", false, std::nullopt, false, "cur.pyx",
         SaveOutcome::Saved},
        {"no current file, name without extension", "", false, "Πολυκατοικία", true,
         "Πολυκατοικία.pyx", SaveOutcome::Saved},
        {"no current file, extension in capitals", "", false, "B.PYX", true, "B.PYX",
         SaveOutcome::Saved},
        {"no current file, Cancel", "", false, std::nullopt, true, "", SaveOutcome::Cancelled},
        {"Save As always asks", "cur.pyx", true, "other.pyx", true, "other.pyx",
         SaveOutcome::Saved},
        {"Save As, Cancel", "cur.pyx", true, std::nullopt, true, "", SaveOutcome::Cancelled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window w;
        w.TypeRow(1);
        w.EnterGeneralData();
        if (!c.current.empty()) {
            w.state.CurrentStudyFile = w.Study(c.current);
        }
        if (c.answer) {
            w.dialogs.AnswerNext(w.Study(*c.answer));
        }
        const int focusBefore = w.grid.FocusCount();
        EXPECT_EQ(c.saveAs ? w.commands.SaveAs() : w.commands.Save(), c.expected);

        ASSERT_EQ(w.dialogs.asked.size(), c.expectDialog ? 1u : 0u);
        if (c.expectDialog) {
            EXPECT_TRUE(w.dialogs.asked[0].save);
            EXPECT_EQ(w.dialogs.asked[0].startFolder, w.folder.WithSlash() + "PYXFiles/");
            EXPECT_EQ(w.dialogs.asked[0].filter, "Special Files (*.pyx)|*.pyx");
        }
        if (c.expectWritten.empty()) {
            EXPECT_EQ(fs::directory_iterator(w.folder.Path() / "PYXFiles"),
                      fs::directory_iterator());
            EXPECT_EQ(w.state.CurrentStudyFile, c.current.empty() ? "" : w.Study(c.current));
            EXPECT_EQ(w.grid.FocusCount(), focusBefore);
        } else {
            EXPECT_EQ(ReadAll(w.Study(c.expectWritten)).size(), 197u);
            EXPECT_EQ(w.state.CurrentStudyFile, w.Study(c.expectWritten));
            EXPECT_FALSE(w.commands.HasUnsavedChanges());
            EXPECT_EQ(w.grid.FocusCount(), focusBefore + 1);
        }
    }
}

TEST(StudyCommandsClassicOpen, CancelChangesNothingAndAChoiceOpens) {
    Window w;
    w.EnterGeneralData();
    w.TypeRow(1);
    w.TypeRow(2);
    w.fields.title = "ΠΡΩΤΗ";
    w.dialogs.AnswerNext(w.Study("first.pyx"));
    ASSERT_EQ(w.commands.SaveAs(), SaveOutcome::Saved);

    w.grid.Table().ClearBlock(1, 1, 2, 11);
    w.TypeRow(3);
    w.fields.title = "ΑΛΛΗ";
    w.state.CurrentStudyFile = w.Study("current.pyx");
    const int focus = w.grid.FocusCount();

    w.commands.ClassicOpenFile(); // the queue is empty: Cancel
    ASSERT_EQ(w.dialogs.asked.size(), 2u);
    EXPECT_FALSE(w.dialogs.asked[1].save);
    EXPECT_EQ(w.dialogs.asked[1].startFolder, w.folder.WithSlash() + "PYXFiles/");
    EXPECT_EQ(w.dialogs.asked[1].filter, "Special Files (*.pyx)|*.pyx");
    EXPECT_EQ(w.state.CurrentStudyFile, w.Study("current.pyx"));
    EXPECT_EQ(w.grid.DataRowCnt(), 3);
    EXPECT_EQ(w.fields.title, "ΑΛΛΗ");
    EXPECT_EQ(w.grid.FocusCount(), focus);

    w.dialogs.AnswerNext(w.Study("first.pyx"));
    w.commands.ClassicOpenFile();
    EXPECT_EQ(w.state.CurrentStudyFile, w.Study("first.pyx"));
    EXPECT_EQ(w.grid.DataRowCnt(), 2);
    EXPECT_EQ(w.grid.CellText(2, 1), "Ιδιοκτησία 2");
    EXPECT_EQ(w.fields.title, "ΠΡΩΤΗ");
    EXPECT_EQ(w.grid.FocusCount(), focus + 1);
    EXPECT_FALSE(w.commands.HasUnsavedChanges());
}

TEST(StudyCommandsOpen, ShowsTheBrowserThenFocusesTheGrid) {
    Window w;
    int shown = 0;
    w.commands.ShowBrowser = [&] {
        ++shown;
        EXPECT_EQ(w.grid.FocusCount(), 0);
    };
    w.commands.Open();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(w.grid.FocusCount(), 1);
}

TEST(StudyCommandsChanges, FollowEveryPartOfTheStudy) {
    Window w;
    EXPECT_FALSE(w.commands.HasUnsavedChanges());
    struct Edit {
        const char* name;
        std::function<void(Window&)> change;
        std::function<void(Window&)> undo;
    };
    const Edit edits[] = {
        {"a cell", [](Window& x) { x.grid.SetCellText(7, 3, "12"); },
         [](Window& x) { x.grid.SetCellText(7, 3, ""); }},
        {"the title", [](Window& x) { x.fields.title = "Τ"; },
         [](Window& x) { x.fields.title = ""; }},
        // (the box starts ticked)
        {"the insulation box", [](Window& x) { x.fields.insulation = false; },
         [](Window& x) { x.fields.insulation = true; }},
        {"the general data", [](Window& x) { x.state.Project = "Π"; },
         [](Window& x) { x.state.Project = ""; }},
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.name);
        e.change(w);
        EXPECT_TRUE(w.commands.HasUnsavedChanges());
        e.undo(w);
        EXPECT_FALSE(w.commands.HasUnsavedChanges());
    }
    // Blanks around the title are not stored, so they are no change.
    w.fields.title = "  ";
    EXPECT_FALSE(w.commands.HasUnsavedChanges());

    // Saving, opening and New each start afresh.
    w.TypeRow(1);
    w.EnterGeneralData();
    w.dialogs.AnswerNext(w.Study("s.pyx"));
    ASSERT_EQ(w.commands.Save(), SaveOutcome::Saved);
    EXPECT_FALSE(w.commands.HasUnsavedChanges());
    w.TypeRow(2);
    EXPECT_TRUE(w.commands.HasUnsavedChanges());
    ASSERT_TRUE(w.commands.OpenStudy(w.Study("s.pyx")));
    EXPECT_FALSE(w.commands.HasUnsavedChanges());
    w.TypeRow(2);
    w.commands.New();
    EXPECT_FALSE(w.commands.HasUnsavedChanges());
}

TEST(StudyCommandsClose, AsksAboutUnsavedChanges) {
    struct Case {
        const char* name;
        bool changed;
        bool haveCurrentFile;
        Answer answer;
        bool expectQuestion;
        CloseDecision expected;
        bool expectSaved;
    };
    const Case cases[] = {
        {"nothing changed", false, true, Answer::Yes, false, CloseDecision::Close, false},
        {"Yes saves and closes", true, true, Answer::Yes, true, CloseDecision::Close, true},
        {"Yes, save dialog cancelled: stay", true, false, Answer::Yes, true, CloseDecision::Stay,
         false},
        {"No discards", true, true, Answer::No, true, CloseDecision::Close, false},
        {"Cancel stays", true, true, Answer::Cancel, true, CloseDecision::Stay, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window w;
        w.EnterGeneralData();
        w.commands.MarkUnchanged();
        if (c.changed) {
            w.TypeRow(1);
        }
        if (c.haveCurrentFile) {
            w.state.CurrentStudyFile = w.Study("c.pyx");
        }
        w.messages.AnswerNext(c.answer);
        EXPECT_EQ(w.commands.ConfirmClose(), c.expected);
        ASSERT_EQ(w.messages.shown.size(), c.expectQuestion ? 1u : 0u);
        if (c.expectQuestion) {
            EXPECT_EQ(w.messages.Last().buttons, MessageService::Buttons::YesNoCancel);
            EXPECT_EQ(w.messages.Last().icon, MessageService::Icon::Question);
        }
        EXPECT_EQ(fs::exists(w.Study("c.pyx")), c.expectSaved);
    }
}

} // namespace
} // namespace pyrostat
