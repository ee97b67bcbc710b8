// Printed percentages rounded as their exact values.

#include "billing/MoneyRounding.h"
#include "billing/PeriodBill.h"
#include "workspace/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace pyrostat {
namespace {

// A percentage whose exact value ends on a half at the sixth decimal prints
// rounded up, however the doubles came out.
TEST(PrintedPercent, RoundsHalfUpAsTheExactValue) {
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
