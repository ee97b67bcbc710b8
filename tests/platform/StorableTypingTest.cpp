#include "platform/StorableTyping.h"

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

// Why a box stored in the code page refuses what was typed: the first rule
// broken, with the text or (for a password) without it.
TEST(StorableTypingRefusal, TheRuleBrokenWithOrWithoutTheText) {
    const struct {
        const char* typed;
        size_t maxChars;
        bool quote;
        const char* alsoRefused;
        const char* told;
    } cases[] = {
        {"Πάτρα", 78, true, "", ""},
        {"Α中", 78, true, "",
         "«Α中» δεν γράφεται: χαρακτήρες που δεν αποθηκεύονται στην "
         "ελληνική κωδικοσελίδα."},
        {"κωδ中", 20, false, "",
         "Δεν γράφεται: χαρακτήρες που δεν αποθηκεύονται στην ελληνική κωδικοσελίδα."},
        // Characters, not bytes: 35 Greek letters fit a box of 35.
        {"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩΑΒΓΔΕΖΗΘΙΚΛ", 35, true, "", ""},
        {"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩΑΒΓΔΕΖΗΘΙΚΛΜ", 35, false, "", "Δεν γράφεται: έως 35 χαρακτήρες."},
        {"abcdefghijklmnopqrstu", 0, true, "", ""}, // no limit
        {"Οδός \"Α", 0, true, "\"",
         "«Οδός \"Α» δεν γράφεται: το «\"» δεν γράφεται σε αυτό το πεδίο."},
        {"Οδός 'Α", 0, true, "\"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StorableTypingRefusal(c.typed, c.maxChars, c.quote, c.alsoRefused), c.told)
            << c.typed;
    }
}

} // namespace
} // namespace pyrostat
