#include "register/PasswordEntry.h"

#include "RegisterTestSupport.h"
#include "ScriptedPasswordDialog.h"
#include "program/ProgramState.h"
#include "register/RegisterGate.h"
#include "support/RecordingMessages.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

using Answer = MessageService::Answer;
using Outcome = PasswordEntry::OkOutcome;
using test::RecordingMessages;

TEST(PasswordEntryTest, CaptionsAndBoxesByMode) {
    struct Case {
        const char* what;
        std::string typedBefore;
        bool newMode;
        std::string label1;
        bool confirmation;
        bool panel;
    };
    const std::vector<Case> cases = {
        {"first asking", "", false, "Δώστε το Password :", false, true},
        {"asking again", "abc", false, "Δώστε το υπάρχον Password :", false, true},
        {"new password", "abc", true, "Δώστε το Νέο Password :", true, false},
        {"new password, none before", "", true, "Δώστε το Νέο Password :", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramState state;
        RecordingMessages messages;
        state.TypedPassword = c.typedBefore;
        state.NewPasswordMode = c.newMode;
        PasswordEntry entry(state, messages);
        const auto layout = entry.Open();
        EXPECT_EQ(layout.label1, c.label1);
        EXPECT_EQ(layout.showConfirmation, c.confirmation);
        EXPECT_EQ(layout.showPanel, c.panel);
        EXPECT_EQ(state.TypedPassword, "");
    }
}

TEST(PasswordEntryTest, OkAndClose) {
    struct Case {
        const char* what;
        bool newMode;
        std::string password;
        std::string confirmation;
        std::vector<Answer> answers;
        Outcome outcome;
        int boxes;
        std::string typedAfterClose;
    };
    const std::vector<Case> cases = {
        {"verify mode takes the box as it is",
         false,
         " pw ",
         "ignored",
         {},
         Outcome::Close,
         0,
         " pw "},
        {"verify mode, empty entry", false, "", "", {}, Outcome::Close, 0, ""},
        {"new passwords agree", true, "new", "new", {}, Outcome::Close, 0, "new"},
        {"new passwords differ", true, "new", "neW", {}, Outcome::RetryConfirmation, 1, ""},
        {"both empty, Yes", true, "", "", {Answer::Yes}, Outcome::Close, 1, ""},
        {"both empty, No", true, "", "", {Answer::No}, Outcome::RetryPassword, 1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramState state;
        RecordingMessages messages;
        for (const Answer a : c.answers) {
            messages.AnswerNext(a);
        }
        state.NewPasswordMode = c.newMode;
        PasswordEntry entry(state, messages);
        entry.Open();
        EXPECT_EQ(entry.CmdOK(c.password, c.confirmation), c.outcome);
        EXPECT_EQ(static_cast<int>(messages.shown.size()), c.boxes);
        EXPECT_EQ(entry.Closing(), c.outcome == Outcome::Close);
        EXPECT_EQ(state.TypedPassword, c.typedAfterClose);
    }
}

TEST(PasswordEntryTest, EscLeavesNothingTyped) {
    ProgramState state;
    RecordingMessages messages;
    state.TypedPassword = "before";
    PasswordEntry entry(state, messages);
    entry.Open();
    EXPECT_FALSE(entry.Closing());
    EXPECT_EQ(state.TypedPassword, "");
}

class RegisterGateTest : public ::testing::Test {
protected:
    RegisterGateTest() : dialog(messages) { state.ProgramFolder = folder.WithSlash(); }
    void WriteRegister(const std::string& password) {
        test::WriteAll(folder.File("CLIENTS.MIR"), test::IndependentRegister({"A"}, password));
    }
    test::TestFolder folder;
    ProgramState state;
    RecordingMessages messages;
    test::ScriptedPasswordDialog dialog;
};

TEST_F(RegisterGateTest, WithoutRegisterNothingHappens) {
    EXPECT_EQ(CheckRegisterAccess(RegisterFile::InProgramFolder(state), state, dialog),
              RegisterAccess::NoRegister);
    EXPECT_TRUE(dialog.modes.empty());
}

TEST_F(RegisterGateTest, UnprotectedRegisterOpensWithoutTheDialog) {
    WriteRegister("");
    // A password typed for an earlier protection does not lock it out.
    state.TypedPassword = "stale";
    EXPECT_EQ(CheckRegisterAccess(RegisterFile::InProgramFolder(state), state, dialog),
              RegisterAccess::Granted);
    EXPECT_TRUE(dialog.modes.empty());
    EXPECT_EQ(state.TypedPassword, "");
}

TEST_F(RegisterGateTest, ProtectedRegisterAsksAndComparesTrimmed) {
    struct Case {
        const char* what;
        bool esc;
        std::string typed;
        RegisterAccess access;
    };
    const std::vector<Case> cases = {
        {"right", false, "pw", RegisterAccess::Granted},
        {"right with blanks", false, "  pw  ", RegisterAccess::Granted},
        {"wrong", false, "pW", RegisterAccess::WrongPassword},
        {"empty", false, "", RegisterAccess::Refused},
        {"Esc", true, "", RegisterAccess::Refused},
    };
    WriteRegister("pw");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dialog.modes.clear();
        state.NewPasswordMode = true; // whatever was left, the gate asks in verify mode
        if (c.esc) {
            dialog.PressEsc();
        } else {
            dialog.Type(c.typed);
        }
        EXPECT_EQ(CheckRegisterAccess(RegisterFile::InProgramFolder(state), state, dialog),
                  c.access);
        ASSERT_EQ(dialog.modes.size(), 1u);
        EXPECT_FALSE(dialog.modes[0]);
        EXPECT_TRUE(messages.Empty());
    }
}

} // namespace
} // namespace pyrostat
