#include "distribution/TextToNumber.h"

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

ProgramState Locale(char decimal, char group) {
    ProgramState s;
    s.DecimalSeparatorCode = decimal;
    s.ThousandsSeparatorCode = group;
    return s;
}

struct Case {
    const char* text;
    double expected;
};

TEST(TextToNumber, GreekLocale) {
    const Case cases[] = {
        {"12,5", 12.5},    {"1,2,3", 0.0}, {"12,5m", 12.0}, {",", 0.0},    {"-", 0.0},
        {"----", -1202.0}, {"", 0.0},      {"   ", 0.0},    {"abc", 0.0},  {"1.234,56", 1234.56},
        {"85,00", 85.0},   {"0,00", 0.0},  {"-3,5", -3.5},  {",5", 0.5},   {"12.5", 125.0},
        {"12abc", 12.0},   {"3.5x", 3.5},  {"100", 100.0},  {" 12", 12.0},
    };
    for (const auto& c : cases) {
        ProgramState s = Locale(',', '.');
        EXPECT_DOUBLE_EQ(TextToNumber(s, c.text), c.expected) << '"' << c.text << '"';
        EXPECT_EQ(s.StatusCode, 0) << c.text;
    }
}

TEST(TextToNumber, EnglishLocale) {
    const Case cases[] = {
        {"12.5", 12.5},  {"1.2.3", 0.0},    {"12.5m", 12.5},     {".", 0.0},
        {"-", 0.0},      {"----", -1202.0}, {"1,234.5", 1234.5}, {"85.00", 85.0},
        {"12,5", 125.0}, {"12,5m", 12.0},   {"x12", 0.0},        {"-7", -7.0},
    };
    for (const auto& c : cases) {
        ProgramState s = Locale('.', ',');
        EXPECT_DOUBLE_EQ(TextToNumber(s, c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(TextToNumber, TwoSeparatorsLeaveStatusCodeClear) {
    ProgramState s = Locale('.', ',');
    EXPECT_EQ(TextToNumber(s, "1.2.3.4"), 0.0);
    EXPECT_EQ(s.StatusCode, 0);
}

TEST(CountDecimalSeparators, StoresACountOfTwoOrMore) {
    ProgramState s = Locale(',', '.');
    EXPECT_EQ(CountDecimalSeparators(s, "1,2"), 1);
    EXPECT_EQ(s.StatusCode, 0);
    EXPECT_EQ(CountDecimalSeparators(s, "1,2,3"), 2);
    EXPECT_EQ(s.StatusCode, 2);
    s.StatusCode = -7;
    CountDecimalSeparators(s, "1,2");
    EXPECT_EQ(s.StatusCode, -7);
}

TEST(LeadingNumberValue, ReadsLikeVal) {
    EXPECT_DOUBLE_EQ(LeadingNumberValue("12abc"), 12.0);
    EXPECT_DOUBLE_EQ(LeadingNumberValue("-1.5kg"), -1.5);
    EXPECT_DOUBLE_EQ(LeadingNumberValue(".5x"), 0.5);
    EXPECT_DOUBLE_EQ(LeadingNumberValue("a1"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumberValue("1.2.3"), 1.2);
}

TEST(TextToNumber, StatusLeftByOtherCommandsDoesNotZeroTheNumber) {
    for (const int16_t left : {int16_t(327), int16_t(-7), int16_t(5)}) {
        ProgramState s = Locale(',', '.');
        s.StatusCode = left;
        EXPECT_DOUBLE_EQ(TextToNumber(s, "12,5"), 12.5) << left;
        EXPECT_EQ(s.StatusCode, left);
        // Two separators in the text itself still give 0 and clear it.
        EXPECT_EQ(TextToNumber(s, "1,2,3"), 0.0);
        EXPECT_EQ(s.StatusCode, 0);
    }
}

} // namespace
} // namespace pyrostat
