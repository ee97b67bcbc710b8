// Every number text of the program, read and written by one set of rules:
// the grid's cells, the period window, the costs, the imported sheets and
// the reports.

#include "workspace/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace pyrostat {
namespace {

TEST(NumberText, ByTheGridsRuleOfEachLocale) {
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
        const auto greek = ReadNumber(c.text, NumberLocale::Greek());
        const auto english = ReadNumber(c.text, NumberLocale::English());
        EXPECT_EQ(greek ? std::optional<double>(greek->value) : std::nullopt, c.greek) << c.text;
        EXPECT_EQ(english ? std::optional<double>(english->value) : std::nullopt, c.english)
            << c.text;
    }
    EXPECT_EQ(ReadNumber("6.720,50", NumberLocale::Greek())->decimals, 2);
    EXPECT_EQ(ReadNumber("1.500", NumberLocale::Greek())->decimals, 0);
}

TEST(NumberText, ATextThatReadsTwoWaysIsKnown) {
    for (const char* two : {"1.500", "1,500", "12.345", "999,000", "-1.500", " 2,850 "}) {
        EXPECT_TRUE(ReadsTwoWays(two)) << two;
    }
    // Leading zero, four digits before, two or four after, two separators.
    for (const char* one :
         {"0.500", "1234.500", "1.50", "1.5000", "1.500,5", "1.500.000", "1500", "1,2"}) {
        EXPECT_FALSE(ReadsTwoWays(one)) << one;
    }
}

TEST(NumberText, ACostByTheLocale) {
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

TEST(NumberText, NumbersWrittenAsTheLocaleWritesThem) {
    EXPECT_EQ(FormatLocaleNumber(6720.5, 1, NumberLocale::Greek()), "6.720,5");
    EXPECT_EQ(FormatLocaleNumber(6720.5, 1, NumberLocale::English()), "6,720.5");
    EXPECT_EQ(FormatLocaleNumber(1234567, 0, NumberLocale::Greek()), "1.234.567");
    EXPECT_EQ(FormatLocaleNumber(999, 2, NumberLocale::Greek()), "999,00");
    EXPECT_EQ(FormatLocaleNumber(-1500.25, 2, NumberLocale::Greek()), "-1.500,25");
    EXPECT_EQ(FormatLocaleNumber(0, 0, NumberLocale::Greek()), "0");
    // Readings and coefficients in messages: the separator, no grouping.
    EXPECT_EQ(FormatDecimal(1250.5, 2, NumberLocale::Greek()), "1250,50");
    EXPECT_EQ(FormatDecimal(1250.5, 2, NumberLocale::English()), "1250.50");
    EXPECT_EQ(FormatDecimal(-0.00001, 4, NumberLocale::Greek()), "0,0000");
    // Amounts in euros, grouped.
    EXPECT_EQ(FormatEuroText(485000, NumberLocale::Greek()), "4.850,00");
    EXPECT_EQ(FormatEuroText(485000, NumberLocale::English()), "4,850.00");
    EXPECT_EQ(FormatEuroText(-123456789, NumberLocale::English()), "-1,234,567.89");
    EXPECT_EQ(FormatEuroText(5), "0,05");
    // What is written reads back as the same number.
    for (const double v : {0.5, 12.0, 999.99, 1000.0, 65432.1, 1234567.891}) {
        for (const NumberLocale locale : {NumberLocale::Greek(), NumberLocale::English()}) {
            const auto back = ReadNumber(FormatLocaleNumber(v, 3, locale), locale);
            ASSERT_TRUE(back);
            EXPECT_DOUBLE_EQ(back->value, std::round(v * 1000) / 1000);
        }
    }
}

// The same text means the same number wherever it is typed in one locale:
// the grid's cell, a reading of the period window, a cost.
TEST(NumberText, OneTextOneNumberEverywhere) {
    const struct {
        const char* text;
        NumberLocale locale;
        std::optional<double> value; // nothing: refused everywhere
    } cases[] = {
        {"1.500", NumberLocale::Greek(), 1500},
        {"1.500", NumberLocale::English(), 1.5},
        {"100.000", NumberLocale::Greek(), 100000},
        {"100,000", NumberLocale::English(), 100000},
        {"2.850,5", NumberLocale::Greek(), 2850.5},
        {"0.850", NumberLocale::Greek(), std::nullopt},
        {"1.50", NumberLocale::Greek(), std::nullopt},
        {"1.5", NumberLocale::Greek(), std::nullopt},
        {"12 5", NumberLocale::Greek(), std::nullopt},
        {"12,5,", NumberLocale::Greek(), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto reading = ReadNumber(c.text, c.locale);
        const auto cell = ParseCellNumber(c.text, c.locale);
        const auto cents = ParseEuroCents(c.text, c.locale);
        ASSERT_EQ(reading.has_value(), c.value.has_value());
        ASSERT_EQ(cell.has_value(), c.value.has_value());
        // A cost has no third decimal: 1,5 typed as «1.500» is no amount.
        const bool cost = c.value && reading->decimals <= 2;
        ASSERT_EQ(cents.has_value(), cost);
        if (c.value) {
            EXPECT_EQ(reading->value, *c.value);
            EXPECT_EQ(*cell, *c.value);
        }
        if (cost) {
            EXPECT_EQ(*cents, std::llround(*c.value * 100));
        }
    }
    // «100.000» with the euro sign, as a manager types a cost.
    EXPECT_EQ(ParseEuroCents("100.000 €", NumberLocale::Greek()), 10000000);
    EXPECT_EQ(ParseEuroCents("€100.000"), 10000000);
}

// A cell keeps two decimals, rounded half up as typed, never as the nearest
// double of the text falls.
TEST(NumberText, ACellRoundsWhatWasTypedHalfUp) {
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"2,805", 2.81},
        {"1,005", 1.01}, // 1.005 is stored just under the half
        {"0,285", 0.29},
        {"2,8049", 2.80},
        {"0,995", 1.00},
        {"9,999", 10.00},
        {"1.234,565", 1234.57},
        {"0,004", 0.00},
        {"99999999,99", kMaxCellNumber},
        {"99999999,994", kMaxCellNumber},
        {"99999999,995", std::nullopt}, // rounds past the largest number a cell holds
        {"-1", std::nullopt},
        {"", std::nullopt},
        {"  ", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseCellNumber(c.text, NumberLocale::Greek()), c.value) << c.text;
    }
    EXPECT_EQ(
        FormatCellNumber(*ParseCellNumber("2,805", NumberLocale::Greek()), NumberLocale::Greek()),
        "2,81");
    EXPECT_EQ(CellValue("", NumberLocale::Greek()), 0.0);
    EXPECT_EQ(CellValue("12,50", NumberLocale::Greek()), 12.5);
}

// A table of a program that does not say its locale: the separator that
// stands once last is the decimal one.
TEST(NumberText, EitherWayWhenNoLocaleIsKnown) {
    const struct {
        const char* text;
        std::optional<double> value;
        int decimals;
    } cases[] = {
        {"1.250,5", 1250.5, 1},       {"1,250.5", 1250.5, 1},
        {"1.234.567", 1234567, 0},    {"1,234,567", 1234567, 0},
        {"333.5", 333.5, 1},          {"1.500", 1.5, 3},
        {"-12,25", -12.25, 2},        {"0.850.000", std::nullopt, 0},
        {"12.34.5", std::nullopt, 0}, {"1,2,3", std::nullopt, 0},
        {"33 3", std::nullopt, 0},    {"1e3", std::nullopt, 0},
    };
    for (const auto& c : cases) {
        const auto number = ReadNumberEitherWay(c.text);
        ASSERT_EQ(number.has_value(), c.value.has_value()) << c.text;
        if (number) {
            EXPECT_EQ(number->value, *c.value) << c.text;
            EXPECT_EQ(number->decimals, c.decimals) << c.text;
        }
    }
}

TEST(NumberText, ReportCellsUnderTheirFormats) {
    struct Case {
        double value;
        const char* format;
        NumberLocale locale;
        const char* expected;
    };
    const NumberLocale gr = NumberLocale::Greek(), en = NumberLocale::English();
    const Case cases[] = {
        {1234.5, "#,##0.00", gr, "1.234,50"},
        {1234.5, "#,##0.00", en, "1,234.50"},
        {1234567.891, "#,##0.00", gr, "1.234.567,89"},
        {999.995, "#,##0.00", en, "1,000.00"},
        {0.1235, "0.0000", gr, "0,1235"},
        {0.00005, "0.0000", en, "0.0001"},
        {0.444, "0.000", en, "0.444"},
        {12.0, "0", en, "12"},
        {-3.5, "0.00", en, "-3.50"},
        {-0.001, "0.00", en, "0.00"},
        {4026, "#,##0", gr, "4.026"},
        {0.25, "General", gr, "0,25"},
        {1, "General", en, "1"},
        {1.0 / 3.0, "General", en, "0.3333333333"},
        {std::nan(""), "0.00", en, "#ΤΙΜΗ!"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatSheetNumber(c.value, c.format, c.locale), c.expected)
            << c.value << " " << c.format;
    }
}

TEST(NumberText, ASpreadsheetsStoredNumberAsItsShortestText) {
    const std::pair<const char*, const char*> cases[] = {
        {"4200", "4200"},
        {"2.8", "2.8"},
        {"2.7999999999999998", "2.8"},
        {"1.5E-2", "0.015"},
        {"-0", "0"},
        {"0.1", "0.1"},
        {"1e16", "10000000000000000"},
        {"12,5", "12,5"}, // no number: as it is
        {"3.00", "3"},
    };
    for (const auto& [stored, shown] : cases) {
        EXPECT_EQ(ShortestNumberText(stored), shown) << stored;
    }
}

} // namespace
} // namespace pyrostat
