#include "register/RegisterMessages.h"

#include "program/ProgramState.h"

#include <string>

namespace pyrostat {

namespace {

using Icon = MessageService::Icon;
using Buttons = MessageService::Buttons;
using Answer = MessageService::Answer;

constexpr const char* kAttention = "  ! !   ΠΡΟΣΟΧΗ   ! ! ";

void Ask(ProgramState& state, MessageService& messages, const std::string& title,
         const std::string& prompt, Icon icon) {
    const Answer answer = messages.ShowWithBeeps(title, prompt, icon, Buttons::YesNo, Answer::No);
    state.MessageAnswer = answer == Answer::Yes ? "YES" : "NO";
}

void Warn(MessageService& messages, const std::string& prompt) {
    messages.ShowWithBeeps(kAttention, prompt, Icon::Critical);
}

} // namespace

void ShowRegisterMessage(int code, ProgramState& state, MessageService& messages,
                         std::string_view name) {
    switch (code) {
    case 1:
        Ask(state, messages, "... ΠΡΟΣΘΗΚΗ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ ΣΤΗ ΛΙΣΤΑ ...",
            "... Θέλετε να προστεθεί το Νέο Όνομα στη Λίστα ?? ...\n", Icon::Question);
        break;
    case 2:
        Warn(messages, "!! ΔΕΝ έχετε δώσει το Password !!\n");
        break;
    case 3:
        Warn(messages, "!! Το Password ΔΕΝ ισχύει !!\n");
        break;
    case 4:
        Ask(state, messages, "... ΔΙΑΓΡΑΦΗ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ ΑΠΟ ΤΗ ΛΙΣΤΑ ...",
            "... Θέλετε να Διαγραφεί το < Φωτισμένο > Όνομα από τη Λίστα ?? ...\n", Icon::Critical);
        break;
    case 5:
        Warn(messages, "... ΔΕΝ μπορώ να διαγράψω τη μοναδική Καταχώρηση ...\n");
        break;
    case 6:
        Ask(state, messages, "... ΠΡΟΣΘΗΚΗ ΔΙΟΡΘΩΜΕΝΟΥ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ ΣΤΗ ΛΙΣΤΑ ...",
            "... Θέλετε να Διορθωθεί το Όνομα στη Λίστα ?? ...\n", Icon::Question);
        break;
    case 7:
        Ask(state, messages, "... ΕΠΙΛΟΓΗ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ ...",
            "... Μελετητής : " + std::string(name) + " ...\n... ΣΥΜΦΩΝΕΙΤΕ ??? ...\n",
            Icon::Question);
        break;
    default:
        break;
    }
}

void Messages_Pass(int code, ProgramState& state, MessageService& messages) {
    switch (code) {
    case 1:
        Warn(messages, "... Τα δυο Passwords, που εδώσατε ΔΕΝ συμπίπτουν ...\n");
        break;
    case 2:
        Ask(state, messages, kAttention,
            "... Η πρόσβαση στο Αρχείο Ονομάτων μελετητών, ΔΕΝ θα προστατεύεται με Password ...\n" +
                std::string(37, ' ') + "... Σίγουρα θέλετε κάτι τέτοιο ?? ..." +
                std::string(8, ' ') + "\n",
            Icon::Critical);
        break;
    default:
        break;
    }
}

void ShowDamagedRegisterWarning(MessageService& messages, size_t wholeRecords) {
    Warn(messages, "... Το Αρχείο Ονομάτων Μελετητών \"CLIENTS.MIR\" είναι ελλιπές ...\n"
                   "... Διαβάστηκαν " +
                       std::to_string(wholeRecords) +
                       " πλήρεις Καταχωρήσεις · θα ξαναγραφτεί όταν κλείσει το παράθυρο ...\n");
}

void ShowRegisterWriteFailure(MessageService& messages) {
    Warn(messages, "... ΔΕΝ μπορώ να γράψω το Αρχείο Ονομάτων Μελετητών \"CLIENTS.MIR\" ...\n");
}

} // namespace pyrostat
