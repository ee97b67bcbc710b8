#include "workspace/CellInput.h"

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

TEST(CheckNumberInput, RefusesWhatANumberCellWouldNotTake) {
    const NumberLocale greek = NumberLocale::Greek();
    const NumberLocale english = NumberLocale::English();
    const struct {
        const char* text;
        NumberLocale locale;
        InputState expected;
    } cases[] = {
        {"", greek, InputState::Acceptable},
        {"0", greek, InputState::Acceptable},
        {"99999999,99", greek, InputState::Acceptable}, // the largest value
        {"999999999", greek, InputState::Invalid},      // nine whole digits
        {"00000012,5", greek, InputState::Acceptable},  // leading zeros do not count
        {"12,345", greek, InputState::Invalid},         // three decimals
        {"12,3,4", greek, InputState::Invalid},         // two separators
        {"1.234,50", greek, InputState::Acceptable},    // grouping before the decimals
        {"1,2.3", greek, InputState::Invalid},          // grouping after them
        {",", greek, InputState::Intermediate},
        {"-5", greek, InputState::Invalid},
        {"12a", greek, InputState::Invalid},
        {"1 2", greek, InputState::Invalid},
        {"12.5", english, InputState::Acceptable},
        // A grouping separator only where it groups: anything else is someone
        // else's decimal point, not yet a number this cell takes.
        {"12,5", english, InputState::Intermediate},
        {"2.8", greek, InputState::Intermediate},
        {"3.25", greek, InputState::Intermediate},
        {"42.00", greek, InputState::Intermediate},
        {"4.200", greek, InputState::Acceptable},
        {"4.200,5", greek, InputState::Acceptable},
        {"1.234.567", greek, InputState::Acceptable},
        {"1234.567", greek, InputState::Intermediate},
        {"4,200", english, InputState::Acceptable},
        {"12.555", english, InputState::Invalid},
        {"1e5", english, InputState::Invalid},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckNumberInput(c.text, c.locale), c.expected) << c.text;
    }
}

// A key or a paste the number editor refuses is told with the text it would
// have made and the rule it breaks, in the locale's separators.
TEST(NumberTypingRefusal, SaysWhichRuleTheTextBreaks) {
    const NumberLocale greek = NumberLocale::Greek();
    const NumberLocale english = NumberLocale::English();
    const struct {
        const char* typed;
        NumberLocale locale;
        const char* message; // empty: not refused
    } cases[] = {
        {"1,005", greek, "«1,005» δεν γράφεται: το κελί δέχεται έως 2 δεκαδικά ψηφία."},
        {"1.005", english, "«1.005» δεν γράφεται: το κελί δέχεται έως 2 δεκαδικά ψηφία."},
        {"123456789", greek, "«123456789» δεν γράφεται: το κελί δέχεται έως 8 ακέραια ψηφία."},
        {"000012345678", greek, ""}, // leading zeros are no digits of the value
        // Two decimals are allowed: it is the nine whole digits that are not.
        {"123456789,12", greek,
         "«123456789,12» δεν γράφεται: το κελί δέχεται έως 8 ακέραια ψηφία."},
        {"12a", greek, "«12a» δεν γράφεται: το κελί δέχεται μόνο ψηφία και την υποδιαστολή «,»."},
        {"-5", english, "«-5» δεν γράφεται: το κελί δέχεται μόνο ψηφία και την υποδιαστολή «.»."},
        {"1,5.", greek, "«1,5.» δεν γράφεται: το κελί δέχεται μόνο ψηφία και την υποδιαστολή «,»."},
        {"1,2,", greek, "«1,2,» δεν γράφεται: ο αριθμός έχει ήδη υποδιαστολή «,»."},
        {"1,2,345", greek, "«1,2,345» δεν γράφεται: ο αριθμός έχει ήδη υποδιαστολή «,»."},
        {"1,25", greek, ""},
        {"2.8", greek, ""}, // not yet a number, but not refused as typed
        {"", greek, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberTypingRefusal(c.typed, c.locale), c.message) << c.typed;
        EXPECT_EQ(TypingRefusal(5, c.typed, c.locale), c.message) << c.typed;
    }
    EXPECT_EQ(TypingRefusal(1, "Α中", greek),
              "«Α中» δεν γράφεται: χαρακτήρες που δεν αποθηκεύονται στην ελληνική κωδικοσελίδα.");
    EXPECT_EQ(TypingRefusal(1, std::string(36, 'A'), greek),
              "«" + std::string(36, 'A').substr(0, 40) +
                  "» δεν γράφεται: περισσότεροι από 35 χαρακτήρες.");
    EXPECT_EQ(TypingRefusal(1, "12a", greek), "");
}

// The message of a typed text the cell refuses names the row, the column and
// the locale's decimal separator, and is empty for what the cell takes.
TEST(TypedCellRefusal, NamesTheCellAndTheLocalesSeparator) {
    const std::string greek = TypedCellRefusal(3, 6, "3.25", NumberLocale::Greek());
    EXPECT_NE(greek.find("«3.25»"), std::string::npos) << greek;
    EXPECT_NE(greek.find("σειράς 3, στήλη 6"), std::string::npos) << greek;
    EXPECT_NE(greek.find("«,»"), std::string::npos) << greek;
    const std::string english = TypedCellRefusal(1, 5, "2,8", NumberLocale::English());
    EXPECT_NE(english.find("«.»"), std::string::npos) << english;
    EXPECT_EQ(TypedCellRefusal(1, 5, "2,8", NumberLocale::Greek()), "");
    EXPECT_EQ(TypedCellRefusal(1, 5, "4.200", NumberLocale::Greek()), "");
    EXPECT_EQ(TypedCellRefusal(1, 5, "", NumberLocale::Greek()), "");
    EXPECT_EQ(TypedCellRefusal(1, 1, "Διαμέρισμα Α1", NumberLocale::Greek()), "");
}

TEST(CheckStorableText, LengthInCharactersAndTheCodePage) {
    const std::string greek35 = [] {
        std::string s;
        for (int i = 0; i < 35; ++i) {
            s += "Ω";
        }
        return s;
    }();
    const struct {
        std::string text;
        size_t max;
        InputState expected;
    } cases[] = {
        {"", 35, InputState::Acceptable},
        {"ΔΙΑΜΕΡΙΣΜΑ Α1 € ΰ", 35, InputState::Acceptable}, // € and ΰ are in the code page
        {greek35, 35, InputState::Acceptable},             // 70 bytes but 35 characters
        {greek35 + "Ω", 35, InputState::Invalid},
        {"ΔΙΑΜ. 中", 35, InputState::Invalid},
        {"Ä", 35, InputState::Invalid}, // not in Windows-1253
        {std::string(78, 'x'), 78, InputState::Acceptable},
        {std::string(79, 'x'), 78, InputState::Invalid},
        {"\xFF", 35, InputState::Invalid}, // broken UTF-8
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckStorableText(c.text, c.max), c.expected) << c.text;
    }
}

} // namespace
} // namespace pyrostat
