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

TEST(PasswordEntryTest, CaptionsAndBoxesByWhatIsAsked) {
    struct Case {
        PasswordAsk ask;
        std::string label1;
        bool confirmation;
        bool panel;
    };
    const Case cases[] = {
        {PasswordAsk::Register, "Δώστε το Password :", false, true},
        {PasswordAsk::Existing, "Δώστε το υπάρχον Password :", false, true},
        {PasswordAsk::New, "Δώστε το Νέο Password :", true, false},
    };
    for (const auto& c : cases) {
        RecordingMessages messages;
        PasswordEntry entry(c.ask, messages);
        const auto layout = entry.Open();
        EXPECT_EQ(layout.label1, c.label1);
        EXPECT_EQ(layout.showConfirmation, c.confirmation);
        EXPECT_EQ(layout.newPasswordMode, c.ask == PasswordAsk::New);
        EXPECT_EQ(layout.showPanel, c.panel);
    }
}

TEST(PasswordEntryTest, OkAndClose) {
    struct Case {
        const char* what;
        PasswordAsk ask;
        std::string password;
        std::string confirmation;
        std::vector<Answer> answers;
        Outcome outcome;
        int boxes;
        std::optional<std::string> typed;
    };
    const std::vector<Case> cases = {
        {"the register's password as it is typed",
         PasswordAsk::Register,
         " pw ",
         "ignored",
         {},
         Outcome::Close,
         0,
         " pw "},
        {"an empty entry is an entry", PasswordAsk::Existing, "", "", {}, Outcome::Close, 0, ""},
        {"new passwords agree", PasswordAsk::New, "new", "new", {}, Outcome::Close, 0, "new"},
        {"new passwords differ",
         PasswordAsk::New,
         "new",
         "neW",
         {},
         Outcome::RetryConfirmation,
         1,
         std::nullopt},
        {"both empty, Yes", PasswordAsk::New, "", "", {Answer::Yes}, Outcome::Close, 1, ""},
        {"both empty, No",
         PasswordAsk::New,
         "",
         "",
         {Answer::No},
         Outcome::RetryPassword,
         1,
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingMessages messages;
        for (const Answer a : c.answers) {
            messages.AnswerNext(a);
        }
        PasswordEntry entry(c.ask, messages);
        entry.Open();
        EXPECT_EQ(entry.CmdOK(c.password, c.confirmation), c.outcome);
        EXPECT_EQ(static_cast<int>(messages.shown.size()), c.boxes);
        EXPECT_EQ(entry.Closing(), c.typed);
    }
}

TEST(PasswordEntryTest, EscGivesNothingEvenAfterAnEarlierOk) {
    RecordingMessages messages;
    PasswordEntry entry(PasswordAsk::Register, messages);
    entry.Open();
    EXPECT_EQ(entry.Closing(), std::nullopt);
    // Opened again after an O.K.: what was typed then is not given again.
    entry.Open();
    entry.CmdOK("pw", "");
    entry.Open();
    EXPECT_EQ(entry.Closing(), std::nullopt);
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
    EXPECT_EQ(CheckRegisterAccess(RegisterFile::InProgramFolder(state), dialog),
              RegisterAccess::NoRegister);
    EXPECT_TRUE(dialog.asked.empty());
}

TEST_F(RegisterGateTest, UnprotectedRegisterOpensWithoutTheDialog) {
    WriteRegister("");
    EXPECT_EQ(CheckRegisterAccess(RegisterFile::InProgramFolder(state), dialog),
              RegisterAccess::Granted);
    EXPECT_TRUE(dialog.asked.empty());
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
        dialog.asked.clear();
        if (c.esc) {
            dialog.PressEsc();
        } else {
            dialog.Type(c.typed);
        }
        EXPECT_EQ(CheckRegisterAccess(RegisterFile::InProgramFolder(state), dialog), c.access);
        EXPECT_EQ(dialog.asked, std::vector<PasswordAsk>{PasswordAsk::Register});
        EXPECT_TRUE(messages.Empty());
    }
}

} // namespace
} // namespace pyrostat
