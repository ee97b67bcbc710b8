#include "register/RegisterMessages.h"

#include "program/ProgramState.h"
#include "support/RecordingMessages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pyrostat {
namespace {

using Answer = MessageService::Answer;
using Buttons = MessageService::Buttons;
using Icon = MessageService::Icon;
using test::RecordingMessages;

const std::string kAttention = "  ! !   ΠΡΟΣΟΧΗ   ! ! ";

struct BoxCase {
    int code;
    std::string title;
    std::string prompt;
    Icon icon;
    bool question;
};

TEST(RegisterMessagesTest, TheSevenCodes) {
    const std::vector<BoxCase> cases = {
        {1, "... ΠΡΟΣΘΗΚΗ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ ΣΤΗ ΛΙΣΤΑ ...",
         "... Θέλετε να προστεθεί το Νέο Όνομα στη Λίστα ?? ...\n", Icon::Question, true},
        {2, kAttention, "!! ΔΕΝ έχετε δώσει το Password !!\n", Icon::Critical, false},
        {3, kAttention, "!! Το Password ΔΕΝ ισχύει !!\n", Icon::Critical, false},
        {4, "... ΔΙΑΓΡΑΦΗ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ ΑΠΟ ΤΗ ΛΙΣΤΑ ...",
         "... Θέλετε να Διαγραφεί το < Φωτισμένο > Όνομα από τη Λίστα ?? ...\n", Icon::Critical,
         true},
        {5, kAttention, "... ΔΕΝ μπορώ να διαγράψω τη μοναδική Καταχώρηση ...\n", Icon::Critical,
         false},
        {6, "... ΠΡΟΣΘΗΚΗ ΔΙΟΡΘΩΜΕΝΟΥ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ ΣΤΗ ΛΙΣΤΑ ...",
         "... Θέλετε να Διορθωθεί το Όνομα στη Λίστα ?? ...\n", Icon::Question, true},
        {7, "... ΕΠΙΛΟΓΗ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ ...",
         "... Μελετητής : Α. Βήτας ...\n... ΣΥΜΦΩΝΕΙΤΕ ??? ...\n", Icon::Question, true},
    };
    for (const auto& c : cases) {
        for (const Answer answer : {Answer::Yes, Answer::No}) {
            SCOPED_TRACE(c.code);
            RecordingMessages messages;
            messages.AnswerNext(answer);
            const bool yes = ShowRegisterMessage(c.code, messages, "Α. Βήτας");
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.beeps, 2);
            const auto& box = messages.Last();
            EXPECT_EQ(box.title, c.title);
            EXPECT_EQ(box.prompt, c.prompt);
            EXPECT_EQ(box.icon, c.icon);
            if (c.question) {
                EXPECT_EQ(box.buttons, Buttons::YesNo);
                EXPECT_EQ(box.defaultAnswer, Answer::No);
                EXPECT_EQ(yes, answer == Answer::Yes);
            } else {
                EXPECT_EQ(box.buttons, Buttons::Ok);
                EXPECT_FALSE(yes);
            }
        }
    }
}

TEST(RegisterMessagesTest, OtherCodesShowNothing) {
    for (const int code : {0, 8, -1, 100}) {
        RecordingMessages messages;
        EXPECT_FALSE(ShowRegisterMessage(code, messages));
        EXPECT_FALSE(Messages_Pass(code == 0 ? 3 : code, messages));
        EXPECT_TRUE(messages.Empty());
        EXPECT_EQ(messages.beeps, 0);
    }
}

TEST(RegisterMessagesTest, PasswordDialogBoxes) {
    RecordingMessages messages;
    EXPECT_FALSE(Messages_Pass(1, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.Last().title, kAttention);
    EXPECT_EQ(messages.Last().prompt, "... Τα δυο Passwords, που εδώσατε ΔΕΝ συμπίπτουν ...\n");
    EXPECT_EQ(messages.Last().buttons, Buttons::Ok);

    messages.AnswerNext(Answer::Yes);
    EXPECT_TRUE(Messages_Pass(2, messages));
    EXPECT_EQ(messages.Last().prompt,
              "... Η πρόσβαση στο Αρχείο Ονομάτων μελετητών, ΔΕΝ θα προστατεύεται με Password "
              "...\n" +
                  std::string(37, ' ') + "... Σίγουρα θέλετε κάτι τέτοιο ?? ..." +
                  std::string(8, ' ') + "\n");
    EXPECT_EQ(messages.Last().buttons, Buttons::YesNo);
    EXPECT_EQ(messages.Last().defaultAnswer, Answer::No);
    EXPECT_EQ(messages.Last().icon, Icon::Critical);
    EXPECT_EQ(messages.beeps, 4);
}

} // namespace
} // namespace pyrostat
