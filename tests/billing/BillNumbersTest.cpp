#include "billing/BillSheets.h"
#include "billing/PeriodBill.h"

#include <gtest/gtest.h>

#include <string>

namespace pyrostat {
namespace {

// Every text cell of a sheet, one after the other.
std::string AllText(const SheetModel& sheet) {
    std::string text;
    for (const auto& [at, cell] : sheet.Cells()) {
        if (cell.value.kind == SheetValue::Kind::Text) {
            text += cell.value.text + "\n";
        }
    }
    return text;
}

// The period's sheet, the notices and the bill's notes print numbers as the
// user's locale writes them, as the grid does: «4.850,00» is 4850 € to a
// Greek reader, and «4,850.00» to an English one.
TEST(BillNumbers, OneConventionTheLocales) {
    const BillingCoefficients c =
        ParseCoefficientTable("Α1\t0.5\t0.2\nΒ1\t0.3\t0.3\nΓ1\t0.2\t0.4\n");
    ASSERT_TRUE(c.Ok()) << c.faults.front();
    const struct {
        NumberLocale locale;
        const char* cost;
        const char* oms;
        const char* replaced;
    } cases[] = {
        {NumberLocale::Greek(), "Δαπάνη περιόδου: 4.850,00 €", "ΟΜΣ = 1 − Σ(f x e) = 0,7300",
         "αντικατάσταση 10000,5 / 0,5"},
        {NumberLocale::English(), "Δαπάνη περιόδου: 4,850.00 €", "ΟΜΣ = 1 − Σ(f x e) = 0.7300",
         "αντικατάσταση 10000.5 / 0.5"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.cost);
        BillRequest request;
        request.costCents = 485000;
        request.locale = k.locale;
        const std::string decimal(1, k.locale.decimal);
        const std::string readings = "Α1\t1250" + decimal + "5\t1300" + decimal +
                                     "25\nΒ1\t9990\t40\tαντικατάσταση 10000" + decimal + "5 0" +
                                     decimal + "5\nΓ1\t1\t2\n";
        const PeriodBill bill =
            MakePeriodBill(c, ParseReadings(readings, true, 1, k.locale), request);
        ASSERT_TRUE(bill.Ok()) << bill.faults.front();
        const std::string sheet = AllText(PeriodSheet(bill, c));
        EXPECT_NE(sheet.find(k.cost), std::string::npos) << sheet;
        EXPECT_NE(sheet.find(k.oms), std::string::npos) << sheet;
        EXPECT_NE(sheet.find(k.replaced), std::string::npos) << sheet;
        const std::string notices = AllText(NoticesSheet(bill, c));
        EXPECT_NE(notices.find(k.replaced), std::string::npos) << notices;
    }
}

} // namespace
} // namespace pyrostat
