#include "register/RegisterSession.h"

#include "RegisterTestSupport.h"
#include "ScriptedPasswordDialog.h"
#include "platform/Codepage1253.h"
#include "program/ProgramState.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace pyrostat {
namespace {

using Answer = MessageService::Answer;
using Colour = RegisterSession::BoxColour;
using Names = std::vector<std::string>;
using test::IndependentRegister;
using test::ReadAll;

const std::string kBrowsing = "ΤΡΕΧΟΝ ΟΝΟΜΑ ΜΕΛΕΤΗΤΗ";
const std::string kQuestion7Title = "... ΕΠΙΛΟΓΗ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ ...";
const std::string kAttention = "  ! !   ΠΡΟΣΟΧΗ   ! ! ";
const std::string kNoPassword = "!! ΔΕΝ έχετε δώσει το Password !!\n";

class RegisterSessionTest : public ::testing::Test {
protected:
    RegisterSessionTest() : dialog(messages) {
        state.ProgramFolder = folder.WithSlash();
        state.DefaultEngineerText = "Default Engineer";
    }

    std::string Path() const { return folder.File("CLIENTS.MIR"); }

    // Names given in UTF-8; the file is built apart from the program.
    void WriteRegister(const Names& names, const std::string& password) {
        test::WriteAll(Path(), Register(names, password));
    }
    static std::string Register(const Names& names, const std::string& password) {
        Names cp;
        for (const auto& n : names) {
            cp.push_back(Utf8ToCp1253(n));
        }
        return IndependentRegister(cp, Utf8ToCp1253(password));
    }

    RegisterSession& Open() {
        session = std::make_unique<RegisterSession>(state, messages, dialog);
        session->Open();
        return *session;
    }

    std::vector<std::string> Titles() const {
        std::vector<std::string> titles;
        for (const auto& box : messages.shown) {
            titles.push_back(box.title);
        }
        return titles;
    }

    test::TestFolder folder;
    ProgramState state;
    test::RecordingMessages messages;
    test::ScriptedPasswordDialog dialog;
    std::unique_ptr<RegisterSession> session;
};

TEST_F(RegisterSessionTest, OpeningSelectsTheLastEntryOfTheCurrentEngineer) {
    struct Case {
        const char* what;
        std::string chosen;
        int selected;
    };
    const std::vector<Case> cases = {
        {"the default text, present twice", "", 3},
        {"a chosen engineer", "Beta", 2},
        {"a name not in the list", "Nobody", 0},
    };
    WriteRegister({"Alpha", "Default Engineer", "Beta", "Default Engineer"}, "pw");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        state.ChosenEngineer = c.chosen;
        RegisterSession& s = Open();
        EXPECT_EQ(s.Selected(), c.selected);
        EXPECT_EQ(s.ClientText(), s.Names()[static_cast<size_t>(c.selected)]);
        EXPECT_EQ(s.PanelText(), c.chosen.empty() ? "Default Engineer" : c.chosen);
        EXPECT_EQ(s.Names(), (Names{"Alpha", "Default Engineer", "Beta", "Default Engineer"}));
        EXPECT_EQ(s.PassText(), "pw");
        EXPECT_EQ(s.RegisterPassword(), "pw");
        EXPECT_TRUE(s.ClientLocked());
        EXPECT_EQ(s.ClientColour(), Colour::LightYellow);
        EXPECT_EQ(s.ClientCaption(), kBrowsing);
        EXPECT_TRUE(messages.Empty());
    }
}

TEST_F(RegisterSessionTest, CounterFollowsTheNameBoxAndToggles) {
    WriteRegister({"Ωμέγα Ψ"}, "");
    RegisterSession& s = Open();
    EXPECT_EQ(s.CounterText(), "< 7 > Χαρακτήρες");
    EXPECT_TRUE(s.CounterVisible());
    s.ToggleCounter();
    EXPECT_FALSE(s.CounterVisible());
    s.ToggleCounter();
    EXPECT_TRUE(s.CounterVisible());
    s.Cmd_New();
    s.EditClientText(std::string(100, 'x'));
    EXPECT_EQ(s.ClientText(), std::string(78, 'x'));
    EXPECT_EQ(s.CounterText(), "< 78 > Χαρακτήρες");
}

TEST_F(RegisterSessionTest, DamagedRegisterOpensWithItsWholeRecordsAndAWarning) {
    struct Case {
        size_t length;
        Names names;
        std::string password;
        std::string told;
    };
    const std::string full = Register({"A", "B"}, "pw");
    const std::vector<Case> cases = {
        {0, {}, "", "είναι κενό"},
        {60, {}, "", "Διαβάστηκαν 0 πλήρεις"},
        {160, {"A"}, "pw", "Διαβάστηκαν 1 πλήρεις"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        messages.shown.clear();
        messages.answers.clear();
        test::WriteAll(Path(), full.substr(0, c.length));
        RegisterSession& s = Open();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.Last().title, kAttention);
        EXPECT_NE(messages.Last().prompt.find(c.told), std::string::npos) << messages.Last().prompt;
        EXPECT_EQ(s.Names(), c.names);
        EXPECT_EQ(s.RegisterPassword(), c.password);
        // Nothing to choose in an empty list, and no crash.
        s.Cmd_OK();
        s.Cmd_Del();
        s.Cmd_COR();
        s.ListMouseDown();
        s.ListMouseUp(0);
        s.Close();
        EXPECT_EQ(ReadAll(Path()), Register(c.names, c.password));
    }
}

TEST_F(RegisterSessionTest, ARegisterThatCannotBeReadIsToldAndLeftAsItIs) {
    std::filesystem::create_directory(Path());
    RegisterSession& s = Open();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.Last().prompt.find("ΔΕΝ διαβάζεται"), std::string::npos);
    EXPECT_NE(messages.Last().prompt.find("είναι φάκελος"), std::string::npos);
    EXPECT_TRUE(s.Names().empty());
    s.Close();
    EXPECT_TRUE(std::filesystem::is_directory(Path()));
}

TEST_F(RegisterSessionTest, AcceptingWithAnEmptyPasswordBoxIsRefused) {
    WriteRegister({"Alpha", "Beta"}, "pw");
    RegisterSession& s = Open();
    s.Select(1);
    s.EditPassText("   ");
    s.Cmd_OK();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.Last().prompt, kNoPassword);
    EXPECT_EQ(state.ChosenEngineer, "");
    EXPECT_EQ(s.PanelText(), "Default Engineer");
}

TEST_F(RegisterSessionTest, AcceptingTheSelectedNameAsksQuestion7) {
    struct Case {
        Answer answer;
        std::string chosen;
        std::string panel;
        std::string client;
    };
    const std::vector<Case> cases = {
        {Answer::Yes, "Beta", "Beta", "Beta"},
        // No empties the current engineer for the rest of the window; the name
        // box still shows the name that was offered.
        {Answer::No, "", "", "Beta"},
    };
    for (const auto& c : cases) {
        WriteRegister({"Alpha", "Beta"}, "");
        messages.shown.clear();
        messages.answers.clear();
        state.ChosenEngineer.clear();
        RegisterSession& s = Open();
        s.Select(1);
        messages.AnswerNext(c.answer);
        s.Cmd_OK();
        ASSERT_EQ(Titles(), Names{kQuestion7Title});
        EXPECT_EQ(messages.Last().prompt, "... Μελετητής : Beta ...\n... ΣΥΜΦΩΝΕΙΤΕ ??? ...\n");
        EXPECT_EQ(state.ChosenEngineer, c.chosen);
        EXPECT_EQ(state.CurrentEngineer, c.chosen);
        EXPECT_EQ(s.PanelText(), c.panel);
        EXPECT_EQ(s.ClientText(), c.client);
    }
}

TEST_F(RegisterSessionTest, AddingAName) {
    struct Case {
        const char* what;
        std::string typed;
        std::string passBox;
        Answer answer;
        Names boxes;
        Names listAfter;
    };
    const std::string add = "... ΠΡΟΣΘΗΚΗ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ ΣΤΗ ΛΙΣΤΑ ...";
    const std::vector<Case> cases = {
        {"empty name box: nothing is added, nothing asked",
         "   ",
         "pw",
         Answer::Yes,
         {},
         {"Alpha"}},
        {"Yes", "  Gamma Δ  ", "pw", Answer::Yes, {add}, {"Alpha", "Gamma Δ"}},
        {"No", "Gamma", "pw", Answer::No, {add}, {"Alpha"}},
        {"password box changed", "Gamma", "px", Answer::Yes, {kAttention}, {"Alpha"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteRegister({"Alpha"}, "pw");
        messages.shown.clear();
        messages.answers.clear();
        RegisterSession& s = Open();
        s.Cmd_New();
        EXPECT_TRUE(s.Adding());
        EXPECT_FALSE(s.ClientLocked());
        EXPECT_EQ(s.ClientColour(), Colour::LightGreen);
        EXPECT_EQ(s.ClientText(), "");
        EXPECT_EQ(s.ClientCaption(), "ΔΩΣΕ ΤΟ ΟΝΟΜΑ ΤΟΥ ΝΕΟΥ ΜΕΛΕΤΗΤΗ");
        EXPECT_FALSE(s.DelEnabled());
        EXPECT_FALSE(s.CorEnabled());
        EXPECT_TRUE(s.ExitEnabled());
        s.EditClientText(c.typed);
        s.EditPassText(c.passBox);
        messages.AnswerNext(c.answer);
        s.Cmd_OK();
        EXPECT_EQ(Titles(), c.boxes);
        EXPECT_EQ(s.Names(), c.listAfter);
        EXPECT_EQ(ReadAll(Path()), Register(c.listAfter, "pw"));
        EXPECT_TRUE(s.ClientLocked());
        EXPECT_EQ(s.ClientColour(), Colour::LightYellow);
        EXPECT_EQ(state.ChosenEngineer, "");
        // The prompt goes once the name is taken; a refused password leaves
        // it, with the edit still under way.
        EXPECT_EQ(s.ClientCaption(),
                  c.boxes == Names{kAttention} ? "ΔΩΣΕ ΤΟ ΟΝΟΜΑ ΤΟΥ ΝΕΟΥ ΜΕΛΕΤΗΤΗ" : kBrowsing);
        if (c.answer == Answer::Yes && c.boxes == Names{add}) {
            EXPECT_EQ(s.Selected(), static_cast<int>(c.listAfter.size()) - 1);
        }
        // A refused password leaves the edit flags for the next acceptance.
        if (c.boxes != Names{kAttention}) {
            EXPECT_FALSE(s.Adding());
            EXPECT_TRUE(s.NewEnabled() && s.CorEnabled() && s.DelEnabled() && s.ExitEnabled());
        }
        // The name box shows the current engineer again.
        if (c.boxes != Names{kAttention}) {
            EXPECT_EQ(s.ClientText(), "Default Engineer");
        }
    }
}

TEST_F(RegisterSessionTest, CorrectingTheCurrentEngineerChangesThePanel) {
    WriteRegister({"Alpha", "Default Engineer", "Beta"}, "");
    RegisterSession& s = Open();
    ASSERT_EQ(s.Selected(), 1);
    s.Cmd_COR();
    EXPECT_TRUE(s.Correcting());
    EXPECT_EQ(s.CorrectRecordNo(), 2);
    EXPECT_EQ(s.ClientText(), "Default Engineer");
    EXPECT_EQ(s.ClientCaption(), "ΔΙΟΡΘΩΣΗ ΤΟΥ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ");
    EXPECT_FALSE(s.NewEnabled() || s.CorEnabled() || s.DelEnabled() || s.ExitEnabled());
    s.EditClientText(" Default Engineer, MSc ");
    messages.AnswerNext(Answer::Yes);
    s.Cmd_OK();
    EXPECT_EQ(Titles(), Names{"... ΠΡΟΣΘΗΚΗ ΔΙΟΡΘΩΜΕΝΟΥ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ ΣΤΗ ΛΙΣΤΑ ..."});
    EXPECT_EQ(state.CurrentEngineer, "Default Engineer, MSc");
    EXPECT_EQ(s.PanelText(), "Default Engineer, MSc");
    EXPECT_EQ(s.Names(), (Names{"Alpha", "Default Engineer, MSc", "Beta"}));
    EXPECT_EQ(s.Selected(), 1);
    EXPECT_EQ(ReadAll(Path()), Register({"Alpha", "Default Engineer, MSc", "Beta"}, ""));
    EXPECT_FALSE(s.Correcting());
}

TEST_F(RegisterSessionTest, CorrectingAnotherNameLeavesThePanelAndTheChoiceFollowsACorrection) {
    WriteRegister({"Alpha", "Beta"}, "");
    state.ChosenEngineer = "Beta";
    RegisterSession& s = Open();
    s.Select(0);
    s.Cmd_COR();
    s.EditClientText("Alfa");
    messages.AnswerNext(Answer::Yes);
    s.Cmd_OK();
    EXPECT_EQ(s.PanelText(), "Beta");
    EXPECT_EQ(s.Names(), (Names{"Alfa", "Beta"}));

    // The chosen engineer corrected: the reports must print the new spelling.
    s.Select(1);
    s.Cmd_COR();
    s.EditClientText("Betta");
    messages.AnswerNext(Answer::Yes);
    s.Cmd_OK();
    EXPECT_EQ(state.ChosenEngineer, "Betta");
    EXPECT_EQ(state.CurrentEngineer, "Betta");
}

TEST_F(RegisterSessionTest, CorrectingToAnEmptyNameOrAnsweringNoWritesNothing) {
    for (const bool empty : {true, false}) {
        WriteRegister({"Alpha", "Beta"}, "");
        messages.shown.clear();
        messages.answers.clear();
        RegisterSession& s = Open();
        s.Select(1);
        s.Cmd_COR();
        s.EditClientText(empty ? "  " : "Gamma");
        messages.AnswerNext(Answer::No);
        s.Cmd_OK();
        EXPECT_EQ(messages.shown.size(), empty ? 0u : 1u);
        EXPECT_EQ(s.Names(), (Names{"Alpha", "Beta"}));
        EXPECT_EQ(ReadAll(Path()), Register({"Alpha", "Beta"}, ""));
        EXPECT_FALSE(s.Correcting());
    }
}

TEST_F(RegisterSessionTest, ACorrectionAfterADragCorrectsTheEntryTheUserSees) {
    WriteRegister({"Alpha", "Beta", "Gamma"}, "pw");
    RegisterSession& s = Open();
    // Gamma dragged to the top: the list is Gamma, Alpha, Beta, the file not yet.
    s.Select(2);
    s.ListMouseDown();
    s.ListMouseUp(0);
    ASSERT_EQ(s.Names(), (Names{"Gamma", "Alpha", "Beta"}));
    s.Select(1); // Alpha, record 1 in the old file
    s.Cmd_COR();
    s.EditClientText("Alfa");
    messages.AnswerNext(Answer::Yes);
    s.Cmd_OK();
    EXPECT_EQ(s.Names(), (Names{"Gamma", "Alfa", "Beta"}));
    EXPECT_EQ(ReadAll(Path()), Register({"Gamma", "Alfa", "Beta"}, "pw"));
}

TEST_F(RegisterSessionTest, ACorrectionOfACopiedNameCorrectsIt) {
    WriteRegister({"Alpha"}, "");
    RegisterSession& s = Open();
    s.Cmd_Copy(); // Default Engineer, in the list only
    s.Select(1);
    s.Cmd_COR();
    s.EditClientText("Copied");
    messages.AnswerNext(Answer::Yes);
    s.Cmd_OK();
    EXPECT_EQ(s.Names(), (Names{"Alpha", "Copied"}));
    EXPECT_EQ(ReadAll(Path()), Register({"Alpha", "Copied"}, ""));
}

TEST_F(RegisterSessionTest, Deleting) {
    struct Case {
        const char* what;
        Names before;
        int select;
        Answer answer;
        Names after;
        std::string boxPrompt;
    };
    const std::string ask = "... Θέλετε να Διαγραφεί το < Φωτισμένο > Όνομα από τη Λίστα ?? ...\n";
    const std::vector<Case> cases = {
        {"the only name",
         {"Alpha"},
         0,
         Answer::Yes,
         {"Alpha"},
         "... ΔΕΝ μπορώ να διαγράψω τη μοναδική Καταχώρηση ...\n"},
        {"No", {"Alpha", "Beta"}, 1, Answer::No, {"Alpha", "Beta"}, ask},
        {"Yes", {"Alpha", "Beta", "Gamma"}, 1, Answer::Yes, {"Alpha", "Gamma"}, ask},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteRegister(c.before, "pw");
        messages.shown.clear();
        messages.answers.clear();
        RegisterSession& s = Open();
        s.Select(c.select);
        messages.AnswerNext(c.answer);
        s.Cmd_Del();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.Last().prompt, c.boxPrompt);
        EXPECT_EQ(s.Names(), c.after);
        EXPECT_EQ(ReadAll(Path()), Register(c.after, "pw"));
        const bool deleted = c.after.size() < c.before.size();
        EXPECT_EQ(s.JustDeleted(), deleted);
        if (deleted) {
            EXPECT_EQ(s.Selected(), 0);
            // The acceptance after a deletion asks nothing and chooses nothing.
            s.Cmd_OK();
            EXPECT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(state.ChosenEngineer, "");
            EXPECT_FALSE(s.JustDeleted());
        }
    }
}

TEST_F(RegisterSessionTest, Dragging) {
    struct Case {
        int from;
        int to;
        Names after;
    };
    const std::vector<Case> cases = {
        {1, 1, {"A", "B", "C"}},
        {2, 0, {"C", "A", "B"}},
        {0, 2, {"B", "C", "A"}},
        {0, 7, {"A", "B", "C"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from * 10 + c.to);
        WriteRegister({"A", "B", "C"}, "pw");
        RegisterSession& s = Open();
        s.Select(c.from);
        s.ListMouseDown();
        s.ListMouseUp(c.to);
        EXPECT_EQ(s.Names(), c.after);
        // The file follows when the window closes.
        EXPECT_EQ(ReadAll(Path()), Register({"A", "B", "C"}, "pw"));
        s.Close();
        EXPECT_EQ(ReadAll(Path()), Register(c.after, "pw"));
    }
}

TEST_F(RegisterSessionTest, NoDragWhileANameIsEdited) {
    WriteRegister({"A", "B", "C"}, "");
    RegisterSession& s = Open();
    s.Select(0);
    s.Cmd_COR();
    s.ListMouseDown();
    s.ListMouseUp(2);
    EXPECT_EQ(s.Names(), (Names{"A", "B", "C"}));
    // A click in the list does not overwrite the name being typed.
    s.EditClientText("Typed");
    s.Select(2);
    EXPECT_EQ(s.ClientText(), "Typed");
}

TEST_F(RegisterSessionTest, ToolTipShowsTheFullEntryUnderThePointer) {
    const std::string longName(78, 'L');
    WriteRegister({"A", longName}, "");
    RegisterSession& s = Open();
    EXPECT_EQ(s.ToolTipAt(1), longName);
    EXPECT_EQ(s.ToolTipAt(0), "A");
    EXPECT_EQ(s.ToolTipAt(-1), "");
    EXPECT_EQ(s.ToolTipAt(2), "");
}

TEST_F(RegisterSessionTest, CloseRewritesTheWholeListWithTheRegisterPassword) {
    // Another writer's record numbers and a trailing partial record are
    // replaced by records 1..N.
    std::string bytes = Register({"A", "B"}, "pw");
    bytes[100] = 42;
    test::WriteAll(Path(), bytes + "tail");
    RegisterSession& s = Open();
    // Typing in the password box does not change the stored password.
    s.EditPassText("");
    s.Close();
    EXPECT_EQ(ReadAll(Path()), Register({"A", "B"}, "pw"));
}

TEST_F(RegisterSessionTest, CopyAppendsTheCurrentName) {
    WriteRegister({"A"}, "");
    RegisterSession& s = Open();
    s.Cmd_Copy();
    EXPECT_EQ(s.Names(), (Names{"A", "Default Engineer"}));
    s.Close();
    EXPECT_EQ(ReadAll(Path()), Register({"A", "Default Engineer"}, ""));
}

TEST_F(RegisterSessionTest, ChangingThePassword) {
    struct Case {
        const char* what;
        std::string before;
        std::string verify; // "<esc>" for Esc
        std::string newPassword;
        std::string confirmation;
        std::vector<Answer> answers;
        std::string after;
        Names boxes;
    };
    const std::string wrong = "!! Το Password ΔΕΝ ισχύει !!\n";
    const std::vector<Case> cases = {
        {"right password, new one", "pw", "pw", "new", "new", {}, "new", {}},
        {"blanks round the verify entry", "pw", " pw ", "new", "new", {}, "new", {}},
        {"wrong password", "pw", "px", "new", "new", {}, "pw", {wrong}},
        {"Esc at verify", "pw", "<esc>", "new", "new", {}, "pw", {wrong}},
        {"Esc at the new password keeps the old one", "pw", "pw", "<esc>", "", {}, "pw", {}},
        {"both empty, Yes: unprotected", "pw", "pw", "", "", {Answer::Yes}, "", {""}},
        {"both empty, No, then Esc", "pw", "pw", "", "", {Answer::No}, "pw", {""}},
        {"differing, then Esc", "pw", "pw", "a", "b", {}, "pw", {""}},
        {"unprotected takes an empty entry", "", "", "new", "new", {}, "new", {}},
        {"unprotected takes Esc", "", "<esc>", "new", "new", {}, "new", {}},
        {"unprotected refuses an entry", "", "x", "new", "new", {}, "", {wrong}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteRegister({"A", "B"}, c.before);
        messages.shown.clear();
        messages.answers.clear();
        dialog.script.clear();
        dialog.asked.clear();
        for (const Answer a : c.answers) {
            messages.AnswerNext(a);
        }
        RegisterSession& s = Open();
        c.verify == "<esc>" ? dialog.PressEsc() : dialog.Type(c.verify);
        c.newPassword == "<esc>" ? dialog.PressEsc()
                                 : dialog.TypeTwo(c.newPassword, c.confirmation);
        s.Cmd_Lock();
        std::vector<std::string> prompts;
        for (const auto& box : messages.shown) {
            prompts.push_back(box.prompt);
        }
        // Only the register's own boxes are compared; "" marks a dialog box.
        ASSERT_EQ(prompts.size(), c.boxes.size());
        for (size_t i = 0; i < prompts.size(); ++i) {
            if (!c.boxes[i].empty()) {
                EXPECT_EQ(prompts[i], c.boxes[i]);
            }
        }
        EXPECT_EQ(ReadAll(Path()), Register({"A", "B"}, c.after));
        EXPECT_EQ(s.RegisterPassword(), c.after);
        EXPECT_EQ(s.PassText(), c.after);
        // The existing password, then the new one once the existing was right.
        const bool right = prompts.empty() || prompts[0] != wrong;
        const std::vector<PasswordAsk> asked =
            right ? std::vector<PasswordAsk>{PasswordAsk::Existing, PasswordAsk::New}
                  : std::vector<PasswordAsk>{PasswordAsk::Existing};
        EXPECT_EQ(dialog.asked, asked);
        s.Close();
        EXPECT_EQ(ReadAll(Path()), Register({"A", "B"}, c.after));
    }
}

} // namespace
} // namespace pyrostat
