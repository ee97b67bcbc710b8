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
