// A reading, an hour count or a cost read as its writer meant it: by the
// grid's rule of a locale when one is known, refused when it could mean two
// things and none is; printed percentages rounded as their exact values.

#include "billing/BillNumber.h"
#include "billing/MoneyRounding.h"
#include "billing/PeriodBill.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace pyrostat {
namespace {

TEST(NumberReading, ByTheGridsRuleOfEachLocale) {
    struct Case {
        const char* text;
        std::optional<double> greek, english;
    };
    const Case cases[] = {
        {"1.500", 1500, 1.5},
        {"1,500", 1.5, 1500},
        {"1.900", 1900, 1.9},
        {"6.720,5", 6720.5, std::nullopt},
        {"6,720.5", std::nullopt, 6720.5},
        {"1.234.567", 1234567, std::nullopt},
        {"12.34", std::nullopt, 12.34}, // a grouping separator groups three digits
        {"1234,5", 1234.5, std::nullopt},
        {"0,850", 0.85, std::nullopt}, // no thousands after a lone zero
        {"0.850", std::nullopt, 0.85},
        {".5", std::nullopt, std::nullopt},
        {"5.", std::nullopt, std::nullopt},
        {"1,2,3", std::nullopt, std::nullopt},
        {" 42 ", 42, 42},
        {"-3", -3, -3},
        {"1e3", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto greek = ParseBillNumber(c.text, NumberLocale::Greek());
        const auto english = ParseBillNumber(c.text, NumberLocale::English());
        EXPECT_EQ(greek ? std::optional<double>(greek->value) : std::nullopt, c.greek) << c.text;
        EXPECT_EQ(english ? std::optional<double>(english->value) : std::nullopt, c.english)
            << c.text;
    }
    EXPECT_EQ(ParseBillNumber("6.720,50", NumberLocale::Greek())->decimals, 2);
    EXPECT_EQ(ParseBillNumber("1.500", NumberLocale::Greek())->decimals, 0);
}

TEST(NumberReading, ATextThatReadsTwoWaysIsKnown) {
    for (const char* two : {"1.500", "1,500", "12.345", "999,000", "-1.500", " 2,850 "}) {
        EXPECT_TRUE(ReadsTwoWays(two)) << two;
    }
    // Leading zero, four digits before, two or four after, two separators.
    for (const char* one :
         {"0.500", "1234.500", "1.50", "1.5000", "1.500,5", "1.500.000", "1500", "1,2"}) {
        EXPECT_FALSE(ReadsTwoWays(one)) << one;
    }
}

TEST(NumberReading, ACostByTheLocale) {
    const struct {
        const char* text;
        std::optional<int64_t> greek, english;
    } cases[] = {
        {"2.850,00", 285000, std::nullopt}, {"2,850.00", std::nullopt, 285000},
        {"2.850", 285000, std::nullopt}, // no third decimal of a euro
        {"2.85", std::nullopt, 285},        {"€ 1.234,5", 123450, std::nullopt},
        {"2,855", std::nullopt, 285500}, // no third decimal of a euro
        {"-5", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseEuroCents(c.text, NumberLocale::Greek()), c.greek) << c.text;
        EXPECT_EQ(ParseEuroCents(c.text, NumberLocale::English()), c.english) << c.text;
    }
}

TEST(NumberReading, NumbersWrittenAsTheLocaleWritesThem) {
    EXPECT_EQ(FormatLocaleNumber(6720.5, 1, NumberLocale::Greek()), "6.720,5");
    EXPECT_EQ(FormatLocaleNumber(6720.5, 1, NumberLocale::English()), "6,720.5");
    EXPECT_EQ(FormatLocaleNumber(1234567, 0, NumberLocale::Greek()), "1.234.567");
    EXPECT_EQ(FormatLocaleNumber(999, 2, NumberLocale::Greek()), "999,00");
    EXPECT_EQ(FormatLocaleNumber(-1500.25, 2, NumberLocale::Greek()), "-1.500,25");
    EXPECT_EQ(FormatLocaleNumber(0, 0, NumberLocale::Greek()), "0");
    // What is written reads back as the same number.
    for (const double v : {0.5, 12.0, 999.99, 1000.0, 65432.1, 1234567.891}) {
        for (const NumberLocale locale : {NumberLocale::Greek(), NumberLocale::English()}) {
            const auto back = ParseBillNumber(FormatLocaleNumber(v, 3, locale), locale);
            ASSERT_TRUE(back);
            EXPECT_DOUBLE_EQ(back->value, std::round(v * 1000) / 1000);
        }
    }
}

// A percentage whose exact value ends on a half at the sixth decimal prints
// rounded up, however the doubles came out.
TEST(NumberReading, PercentagesRoundHalfUpAsTheirExactValues) {
    // 0.03155 x 0.689 x 100 = 2.173795 exactly; the double falls just under.
    const double percent = 0.03155 * 0.689 * 100.0;
    EXPECT_EQ(FormatFixed(PrintedPercent(percent), 5), "2.17380");
    EXPECT_EQ(FormatFixed(PrintedPercent(2.173794999), 5), "2.17379");
    EXPECT_EQ(FormatFixed(PrintedPercent(2.1737951), 5), "2.17380");
    EXPECT_EQ(FormatFixed(PrintedPercent(100.0 - 1e-13), 5), "100.00000");
    // Every tie at the sixth decimal, as products of decimals give it: each
    // prints rounded up, where the plain "%.5f" of the double often does not.
    int plainDown = 0;
    for (int n = 1; n <= 3000; ++n) {
        const double computed = (10 * n + 5) * 0.000001 * 0.7 / 0.7 * 20.0 / 20.0;
        const std::string wanted = FormatFixed((n + 1) * 0.00001, 5);
        EXPECT_EQ(FormatFixed(PrintedPercent(computed), 5), wanted) << n;
        plainDown += FormatFixed(computed, 5) != wanted;
    }
    EXPECT_GT(plainDown, 0); // the cases are real ties, not easy ones
}

} // namespace
} // namespace pyrostat
