#include "platform/StorableTyping.h"

#include "platform/Codepage1253.h"
#include "platform/Utf8.h"

namespace pyrostat {

std::string StorableTypingRefusal(std::string_view typed, size_t maxChars, bool quoteTyped,
                                  std::string_view alsoRefused) {
    std::string why;
    const size_t refused =
        alsoRefused.empty() ? std::string_view::npos : typed.find_first_of(alsoRefused);
    if (refused != std::string_view::npos) {
        why = "το «" + std::string(1, typed[refused]) + "» δεν γράφεται σε αυτό το πεδίο";
    } else if (!IsCp1253Encodable(typed)) {
        why = "χαρακτήρες που δεν αποθηκεύονται στην ελληνική κωδικοσελίδα";
    } else if (maxChars > 0 && Utf8Length(typed) > maxChars) {
        why = "έως " + std::to_string(maxChars) + " χαρακτήρες";
    } else {
        return {};
    }
    return (quoteTyped ? "«" + ShortenForMessage(typed) + "» δεν γράφεται: "
                       : std::string("Δεν γράφεται: ")) +
           why + ".";
}

} // namespace pyrostat
