#include "workspace/NumberText.h"

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

NumberLocale Locale(char decimal, char group) {
    NumberLocale locale;
    locale.decimal = decimal;
    locale.group = group;
    return locale;
}

struct Case {
    const char* text;
    double expected;
};

TEST(TextToNumber, GreekAndEnglishSeparators) {
    const Case greek[] = {
        {"12,5", 12.5},    {"1,2,3", 0.0}, {"12,5m", 12.0}, {",", 0.0},    {"-", 0.0},
        {"----", -1202.0}, {"", 0.0},      {"   ", 0.0},    {"abc", 0.0},  {"1.234,56", 1234.56},
        {"85,00", 85.0},   {"0,00", 0.0},  {"-3,5", -3.5},  {",5", 0.5},   {"12.5", 125.0},
        {"12abc", 12.0},   {"3.5x", 3.5},  {"100", 100.0},  {" 12", 12.0},
    };
    for (const auto& c : greek) {
        EXPECT_DOUBLE_EQ(TextToNumber(c.text, Locale(',', '.')), c.expected)
            << '"' << c.text << '"';
    }
    const Case english[] = {
        {"12.5", 12.5},  {"1.2.3", 0.0},    {"12.5m", 12.5},     {".", 0.0},
        {"-", 0.0},      {"----", -1202.0}, {"1,234.5", 1234.5}, {"85.00", 85.0},
        {"12,5", 125.0}, {"12,5m", 12.0},   {"x12", 0.0},        {"-7", -7.0},
    };
    for (const auto& c : english) {
        EXPECT_DOUBLE_EQ(TextToNumber(c.text, Locale('.', ',')), c.expected)
            << '"' << c.text << '"';
    }
    EXPECT_EQ(CountDecimalSeparators("1,2", ','), 1);
    EXPECT_EQ(CountDecimalSeparators("1,2,3", ','), 2);
}

TEST(LeadingNumberValue, ReadsLikeVal) {
    EXPECT_DOUBLE_EQ(LeadingNumberValue("12abc"), 12.0);
    EXPECT_DOUBLE_EQ(LeadingNumberValue("-1.5kg"), -1.5);
    EXPECT_DOUBLE_EQ(LeadingNumberValue(".5x"), 0.5);
    EXPECT_DOUBLE_EQ(LeadingNumberValue("a1"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumberValue("1.2.3"), 1.2);
}

} // namespace
} // namespace pyrostat
