#include "reports/SheetStoredNumber.h"

#include "workspace/NumberText.h"

#include <gtest/gtest.h>

namespace pyrostat {
namespace {

// A single's value is stored as its shortest decimal when that prints alike;
// what prints otherwise, or was computed in double precision, is kept.
TEST(SheetStoredNumber, TheShortestDecimalWhenItPrintsAlike) {
    const struct {
        double value;
        const char* format;
        double stored;
    } cases[] = {
        {static_cast<double>(62.4f), "0.00", 62.4},
        {static_cast<double>(0.0799f), "0.0000", 0.0799},
        {static_cast<double>(2712958.5f), "#,##0", 2712958.5},
        // General prints ten digits: 0,6492999792 is not 0,6493.
        {static_cast<double>(0.6493f), "General", static_cast<double>(0.6493f)},
        {0.1, "0.00", 0.1},                   // a double already
        {2712958.49, "#,##0.00", 2712958.49}, // a double sum
        {0.0, "0.00", 0.0},
        {-12.25, "0.00", -12.25},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SheetStoredNumber(c.value, c.format), c.stored) << c.value << " " << c.format;
    }
    // A single just under a half whose shortest decimal is the half: stored
    // as it is, or the cell would round the other way.
    const float under = 233.015f;
    const double exact = static_cast<double>(under);
    ASSERT_LT(exact, 233.015);
    ASSERT_NE(FormatSheetNumber(233.015, "0.00", NumberLocale::Greek()),
              FormatSheetNumber(exact, "0.00", NumberLocale::Greek()));
    EXPECT_EQ(SheetStoredNumber(exact, "0.00"), exact);
    EXPECT_EQ(SheetStoredNumber(exact, "0.000"), 233.015);
}

} // namespace
} // namespace pyrostat
