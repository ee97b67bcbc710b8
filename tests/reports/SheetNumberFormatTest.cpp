#include "reports/SheetNumberFormat.h"

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

TEST(SheetNumberFormatTest, PatternsAndSeparators) {
    struct Case {
        double value;
        const char* format;
        char decimal;
        char group;
        const char* expected;
    };
    const Case cases[] = {
        {1234.5, "#,##0.00", ',', '.', "1.234,50"},
        {1234.5, "#,##0.00", '.', ',', "1,234.50"},
        {1234567.891, "#,##0.00", ',', '.', "1.234.567,89"},
        {999.995, "#,##0.00", '.', ',', "1,000.00"},
        {0.1235, "0.0000", ',', '.', "0,1235"},
        {0.00005, "0.0000", '.', ',', "0.0001"},
        {0.444, "0.000", '.', ',', "0.444"},
        {12.0, "0", '.', ',', "12"},
        {-3.5, "0.00", '.', ',', "-3.50"},
        {-0.001, "0.00", '.', ',', "0.00"},
        {4026, "#,##0", ',', '.', "4.026"},
        {0.25, "General", ',', '.', "0,25"},
        {1, "General", '.', ',', "1"},
        {1.0 / 3.0, "General", '.', ',', "0.3333333333"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatSheetNumber(c.value, c.format, c.decimal, c.group), c.expected)
            << c.value << " " << c.format;
    }
}

} // namespace
} // namespace pyrostat
