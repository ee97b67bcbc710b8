#include "register/RegisterMessages.h"

#include <string>

namespace pyrostat {

namespace {

using Icon = MessageService::Icon;
using Buttons = MessageService::Buttons;
using Answer = MessageService::Answer;

constexpr const char* kAttention = "  ! !   ΠΡΟΣΟΧΗ   ! ! ";

bool Ask(MessageService& messages, const std::string& title, const std::string& prompt, Icon icon) {
    return messages.ShowWithBeeps(title, prompt, icon, Buttons::YesNo, Answer::No) == Answer::Yes;
}

void Warn(MessageService& messages, const std::string& prompt) {
    messages.ShowWithBeeps(kAttention, prompt, Icon::Critical);
}

} // namespace

bool ShowRegisterMessage(int code, MessageService& messages, std::string_view name) {
    switch (code) {
    case 1:
        return Ask(messages, "... ΠΡΟΣΘΗΚΗ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ ΣΤΗ ΛΙΣΤΑ ...",
                   "... Θέλετε να προστεθεί το Νέο Όνομα στη Λίστα ?? ...\n", Icon::Question);
    case 2:
        Warn(messages, "!! ΔΕΝ έχετε δώσει το Password !!\n");
        break;
    case 3:
        Warn(messages, "!! Το Password ΔΕΝ ισχύει !!\n");
        break;
    case 4:
        return Ask(messages, "... ΔΙΑΓΡΑΦΗ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ ΑΠΟ ΤΗ ΛΙΣΤΑ ...",
                   "... Θέλετε να Διαγραφεί το < Φωτισμένο > Όνομα από τη Λίστα ?? ...\n",
                   Icon::Critical);
    case 5:
        Warn(messages, "... ΔΕΝ μπορώ να διαγράψω τη μοναδική Καταχώρηση ...\n");
        break;
    case 6:
        return Ask(messages, "... ΠΡΟΣΘΗΚΗ ΔΙΟΡΘΩΜΕΝΟΥ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ ΣΤΗ ΛΙΣΤΑ ...",
                   "... Θέλετε να Διορθωθεί το Όνομα στη Λίστα ?? ...\n", Icon::Question);
    case 7:
        return Ask(messages, "... ΕΠΙΛΟΓΗ ΟΝΟΜΑΤΟΣ ΜΕΛΕΤΗΤΗ ...",
                   "... Μελετητής : " + std::string(name) + " ...\n... ΣΥΜΦΩΝΕΙΤΕ ??? ...\n",
                   Icon::Question);
    default:
        break;
    }
    return false;
}

bool Messages_Pass(int code, MessageService& messages) {
    switch (code) {
    case 1:
        Warn(messages, "... Τα δυο Passwords, που εδώσατε ΔΕΝ συμπίπτουν ...\n");
        break;
    case 2:
        return Ask(
            messages, kAttention,
            "... Η πρόσβαση στο Αρχείο Ονομάτων μελετητών, ΔΕΝ θα προστατεύεται με Password ...\n" +
                std::string(37, ' ') + "... Σίγουρα θέλετε κάτι τέτοιο ?? ..." +
                std::string(8, ' ') + "\n",
            Icon::Critical);
    default:
        break;
    }
    return false;
}

void ShowRegisterReadWarning(MessageService& messages, const RegisterContents& contents,
                             const std::string& path) {
    switch (contents.status) {
    case RegisterContents::Status::Ok:
        return;
    case RegisterContents::Status::Missing:
        Warn(messages, "... ΔΕΝ υπάρχει Αρχείο Ονομάτων Μελετητών \"CLIENTS.MIR\" ...\n"
                       "... Η Λίστα ξεκινά κενή · το αρχείο γράφεται με το πρώτο όνομα που "
                       "θα προστεθεί ...\n");
        return;
    case RegisterContents::Status::Unreadable:
        Warn(messages, "... Το Αρχείο Ονομάτων Μελετητών \"CLIENTS.MIR\" ΔΕΝ διαβάζεται ...\n" +
                           FileProblemMessage(path, contents.problem) +
                           "\n... Η Λίστα μένει κενή και το αρχείο δεν αλλάζει ...\n");
        return;
    case RegisterContents::Status::Damaged:
        if (!contents.partialRecord) {
            Warn(messages, "... Το Αρχείο Ονομάτων Μελετητών \"CLIENTS.MIR\" είναι κενό ...\n"
                           "... Η Λίστα ξεκινά κενή ...\n");
            return;
        }
        Warn(messages, "... Το Αρχείο Ονομάτων Μελετητών \"CLIENTS.MIR\" είναι ελλιπές ...\n"
                       "... Διαβάστηκαν " +
                           std::to_string(contents.wholeRecords) +
                           " πλήρεις Καταχωρήσεις · θα ξαναγραφτεί όταν κλείσει το παράθυρο ...\n");
        return;
    }
}

void ShowRegisterWriteFailure(MessageService& messages) {
    Warn(messages, "... ΔΕΝ μπορώ να γράψω το Αρχείο Ονομάτων Μελετητών \"CLIENTS.MIR\" ...\n");
}

} // namespace pyrostat
