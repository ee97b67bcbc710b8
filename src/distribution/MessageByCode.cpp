#include "distribution/MessageByCode.h"

namespace pyrostat {

bool MessageTextByCode(int code, int row, std::string& title, std::string& prompt) {
    switch (code) {
    case -1:
        title = kAttentionTitle;
        prompt = "... Ελλιπείς Καταχωρήσεις Ιδιοκτησιών ...\r";
        return true;
    case -2:
        title = kAttentionTitle;
        prompt = "... Εμβαδόν και Ύψος, για οποιαδήποτε Ιδιοκτησία, ΔΕΝ επιτρέπεται να είναι "
                 "ΜΗΔΕΝΙΚΑ ...\r";
        return true;
    case -3:
        title = "!! ΠΡΟΣΟΧΗ (ΣΕΙΡΑ : " + std::to_string(row) + ") !!";
        prompt = "... ΔΕΝ είναι δυνατόν ΚΑΙ τα τρία Παράπλευρα Μήκη να είναι ΜΗΔΕΝΙΚΑ ...\r";
        return true;
    case -4:
        title = "  ! !   ΠΡΟΣΟΧΗ   ! ! ";
        prompt = "... Το Πρόγραμμα < Microsoft Excel >, ΔΕΝ είναι εγκατεστημένο στο Σύστημα "
                 "αυτό ...\r" +
                 std::string(82, ' ') +
                 "\r         ... Μπορείτε να κάνετε Εκτύπωση, μόνο μέσω του Προγράμματος "
                 "...          \r";
        return true;
    default:
        return false;
    }
}

void ShowMessageByCode(MessageService& messages, int code, int row) {
    messages.Beep();
    messages.Beep();
    std::string title;
    std::string prompt;
    if (!MessageTextByCode(code, row, title, prompt)) {
        return;
    }
    const auto icon =
        code == -4 ? MessageService::Icon::Information : MessageService::Icon::Critical;
    messages.Show(title, prompt, icon);
}

void ShowCalculationStop(MessageService& messages, const std::string& prompt) {
    messages.ShowWithBeeps(kAttentionTitle, prompt, MessageService::Icon::Critical);
}

} // namespace pyrostat
