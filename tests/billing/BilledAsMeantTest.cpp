// What the meters and the coefficients mean, billed as meant: an estimate
// never billed twice, a closed property whose meter moved told, names and
// numbers never mixed, coefficients of no building refused, an export file
// known by what it holds.

#include "billing/BillSheets.h"
#include "billing/BillingHistory.h"
#include "billing/CarryForward.h"
#include "billing/PeriodBill.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace pyrostat {
namespace {

using test::TestFolder;
using test::WriteAll;

// Three flats, e = 0.5, 0.3, 0.2, f = 0.2, 0.3, 0.4.
BillingCoefficients Flats() {
    return ParseCoefficientTable("Α1\t0.5\t0.2\nΒ1\t0.3\t0.3\nΓ1\t0.2\t0.4\n");
}

const BuildingKey kBuilding{"/μελέτες/εκτιμήσεις.pyx", "Εκτιμήσεις", "", "", "", {}};

struct Periods {
    TestFolder folder;
    BillingHistory history{folder.File("PYXFiles/Billing.sqlite")};

    // Bills and stores a month, with the history's estimates taken off.
    PeriodBill Month(const std::string& readings, int month, bool estimate = false) {
        BillRequest request;
        request.costCents = 30000;
        request.from = BillDate{2026, month, 1};
        request.to = BillDate{2026, month, 28};
        request.estimate = estimate;
        const auto building = history.FindBuilding(kBuilding);
        const std::vector<StoredPeriod> latest =
            building ? history.LatestPeriods(*building) : std::vector<StoredPeriod>{};
        request.billedEstimates = BilledEstimatesBefore(latest, request.from);
        const PeriodBill bill = MakePeriodBill(Flats(), ParseReadings(readings), request);
        if (bill.Ok()) {
            history.Save(kBuilding, bill);
        }
        return bill;
    }
};

TEST(BilledAsMeant, AnEstimateIsNeverBilledTwice) {
    struct Case {
        const char* name;
        const char* march; // Α1 read again after February's estimate
        double marchOmega;
        bool overEstimated;
        double meter; // what Α1's meter counted from January to March
    };
    const Case cases[] = {
        // January 1000 -> 1100; February estimated (100 by the mean per e);
        // March reads 1300: 300 on the meter since January, 100 billed.
        {"meter above the estimate", "Α1\t1100\t1300\nΒ1\t100\t160\nΓ1\t100\t140\n", 100, false,
         300},
        {"meter equal to the estimate", "Α1\t1100\t1200\nΒ1\t100\t160\nΓ1\t100\t140\n", 0, false,
         200},
        // The meter shows 50 since January against 100 estimated: billed 0,
        // never less, and told.
        {"meter below the estimate", "Α1\t1100\t1150\nΒ1\t100\t160\nΓ1\t100\t140\n", 0, true, 150},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Periods p;
        ASSERT_TRUE(p.Month("Α1\t1000\t1100\nΒ1\t0\t60\nΓ1\t0\t40\n", 1).Ok());
        const PeriodBill february = p.Month("Α1\nΒ1\t60\t120\nΓ1\t40\t80\n", 2, true);
        ASSERT_TRUE(february.Ok()) << february.faults.front();
        ASSERT_TRUE(february.lines[0].estimated);
        EXPECT_DOUBLE_EQ(february.lines[0].omega, 100); // 0.5 x 100 / 0.5
        // March's previous reading of Α1 is January's last real one.
        const PeriodBill march = p.Month(c.march, 3);
        ASSERT_TRUE(march.Ok()) << march.faults.front();
        EXPECT_DOUBLE_EQ(march.lines[0].omega, c.marchOmega);
        EXPECT_DOUBLE_EQ(march.lines[0].settled, c.overEstimated ? 50 : 100);
        ASSERT_FALSE(march.notes.empty());
        EXPECT_NE(march.notes[0].find("«Α1»"), std::string::npos) << march.notes[0];
        EXPECT_EQ(march.notes[0].find("ΠΡΟΣΟΧΗ") != std::string::npos, c.overEstimated)
            << march.notes[0];
        // The others, read every month, bill what their meters show.
        EXPECT_DOUBLE_EQ(march.lines[1].omega, 60);
        EXPECT_DOUBLE_EQ(march.lines[1].settled, 0);
        // Over the three months Α1 billed what its meter counted, or the
        // estimate when that was more.
        EXPECT_DOUBLE_EQ(100 + february.lines[0].omega + march.lines[0].omega,
                         std::max(c.meter, 200.0));
    }
}

TEST(BilledAsMeant, EstimatesCountFromTheLastRealReadingOnly) {
    Periods p;
    ASSERT_TRUE(p.Month("Α1\t1000\t1100\nΒ1\t0\t60\nΓ1\t0\t40\n", 1).Ok());
    ASSERT_TRUE(p.Month("Α1\nΒ1\t60\t120\nΓ1\t40\t80\n", 2, true).Ok());
    ASSERT_TRUE(p.Month("Α1\nΒ1\t120\t180\nΓ1\t80\t120\n", 3, true).Ok());
    const auto latest = p.history.LatestPeriods(*p.history.FindBuilding(kBuilding));
    const auto since = BilledEstimatesBefore(latest, BillDate{2026, 4, 1});
    ASSERT_EQ(since.count(1), 1u);
    EXPECT_DOUBLE_EQ(since.at(1).reading, 1100);
    EXPECT_DOUBLE_EQ(since.at(1).units, 200);
    EXPECT_DOUBLE_EQ(since.at(2).units, 0);
    // Before March began, only February's estimate was billed.
    EXPECT_DOUBLE_EQ(BilledEstimatesBefore(latest, BillDate{2026, 3, 1}).at(1).units, 100);
    // A reading from another start (a new meter, a typed previous) takes
    // nothing off.
    BillRequest request;
    request.costCents = 100;
    request.billedEstimates = since;
    const PeriodBill other = MakePeriodBill(
        Flats(), ParseReadings("Α1\t1250\t1300\nΒ1\t180\t200\nΓ1\t120\t130\n"), request);
    ASSERT_TRUE(other.Ok());
    EXPECT_DOUBLE_EQ(other.lines[0].omega, 50);
    EXPECT_TRUE(other.notes.empty());
}

TEST(BilledAsMeant, AClosedPropertyWhoseMeterMovedIsTold) {
    BillRequest request;
    request.costCents = 10000;
    const PeriodBill moved = MakePeriodBill(
        Flats(), ParseReadings("Α1\t100\nΒ1\t50\nΓ1\t7034\t7397\tκλειστό\n"), request);
    ASSERT_TRUE(moved.Ok()) << moved.faults.front();
    EXPECT_DOUBLE_EQ(moved.lines[2].omega, 0);
    ASSERT_EQ(moved.notes.size(), 1u);
    EXPECT_NE(moved.notes[0].find("«Γ1»"), std::string::npos);
    EXPECT_NE(moved.notes[0].find("363 ώρες"), std::string::npos) << moved.notes[0];
    // The period's sheet says it too.
    int onSheet = 0;
    const SheetModel sheet = PeriodSheet(moved, Flats(), nullptr);
    for (const auto& [at, cell] : sheet.Cells()) {
        onSheet += cell.value.text == moved.notes[0] ? 1 : 0;
    }
    EXPECT_EQ(onSheet, 1);
    const PeriodBill still = MakePeriodBill(
        Flats(), ParseReadings("Α1\t100\nΒ1\t50\nΓ1\t7034\t7034\tκλειστό\n"), request);
    ASSERT_TRUE(still.Ok());
    EXPECT_TRUE(still.notes.empty());
}

TEST(BilledAsMeant, ANameThatIsAnotherPropertysNumberIsRefused) {
    // Names "2" and "1" stand at numbers 1 and 2.
    const BillingCoefficients swapped = ParseCoefficientTable("2\t0.5\t0.2\n1\t0.5\t0.2\n");
    ASSERT_TRUE(swapped.Ok());
    for (const char* key : {"1", "2"}) {
        std::string fault;
        EXPECT_EQ(MatchProperty(swapped, key, fault), -1) << key;
        EXPECT_NE(fault.find("αριθμός άλλης"), std::string::npos) << fault;
    }
    // Names equal to their own numbers, or no number at all, are plain.
    const BillingCoefficients plain = ParseCoefficientTable("1\t0.5\t0.2\n2\t0.5\t0.2\n");
    std::string fault;
    EXPECT_EQ(MatchProperty(plain, "2", fault), 1);
    EXPECT_EQ(MatchProperty(Flats(), "3", fault), 2);
    EXPECT_EQ(MatchProperty(Flats(), "γ1", fault), 2);
    EXPECT_EQ(MatchProperty(Flats(), "4", fault), -1);
    // A bill whose readings name them refuses the line, naming it.
    BillRequest request;
    request.costCents = 100;
    const PeriodBill bill = MakePeriodBill(swapped, ParseReadings("1\t10\n2\t20\n"), request);
    ASSERT_FALSE(bill.Ok());
    EXPECT_NE(bill.faults[0].find("«1»"), std::string::npos);
}

TEST(BilledAsMeant, ManyPropertiesByNumberAndByName) {
    // 2,000 flats: every reading finds its own property by either key.
    std::string table, byNumber, byName;
    const int n = 2000;
    for (int i = 1; i <= n; ++i) {
        table += "Δ" + std::to_string(i) + "\t0.0005\t0.1\n";
        byNumber += std::to_string(i) + "\t" + std::to_string(i % 7) + "\n";
        byName += "Δ" + std::to_string(i) + "\t" + std::to_string(i % 7) + "\n";
    }
    const BillingCoefficients c = ParseCoefficientTable(table);
    ASSERT_TRUE(c.Ok()) << c.faults.front();
    BillRequest request;
    request.costCents = 1000000;
    const PeriodBill a = MakePeriodBill(c, ParseReadings(byNumber), request);
    const PeriodBill b = MakePeriodBill(c, ParseReadings(byName), request);
    ASSERT_TRUE(a.Ok() && b.Ok());
    for (int i = 0; i < n; ++i) {
        ASSERT_DOUBLE_EQ(a.lines[static_cast<size_t>(i)].omega, (i + 1) % 7) << i;
        ASSERT_EQ(a.lines[static_cast<size_t>(i)].amountCents,
                  b.lines[static_cast<size_t>(i)].amountCents);
    }
}

// A heading line names the columns in any order, in Greek or Latin, and a
// column it does not know is passed over; a first line of one field is a
// property without coefficients, not a heading.
TEST(BilledAsMeant, CoefficientColumnsByTheirHeadings) {
    for (const char* table :
         {"Ιδιοκτησία\tOMS\tFE\te\nΑ1\t0.73\t0.10\t0.5\nΒ1\t0.73\t0.09\t0.3\nΓ1\t0.73\t0.08\t0.2\n",
          "Ιδιοκτησία\tΟΜΣ\tFE\tΕ\nΑ1\t0.73\t0.10\t0.5\nΒ1\t0.73\t0.09\t0.3\nΓ1\t0.73\t0.08\t0.2\n",
          "Ιδιοκτησία\tΕ\tF\nΑ1\t0.5\t0.2\nΒ1\t0.3\t0.3\nΓ1\t0.2\t0.4\n",
          "Ιδιοκτησία\tΕ\tF\t1Σ\tm2\nΑ1\t0.5\t0.2\t0.73\t95\nΒ1\t0.3\t0.3\t0.73\t80\n"
          "Γ1\t0.2\t0.4\t0.73\t60\n"}) {
        SCOPED_TRACE(table);
        const BillingCoefficients read = ParseCoefficientTable(table);
        ASSERT_TRUE(read.Ok()) << read.faults.front();
        ASSERT_EQ(read.lines.size(), 3u);
        EXPECT_DOUBLE_EQ(read.lines[0].e, 0.5);
        EXPECT_NEAR(read.lines[0].fe, 0.10, 1e-12);
        EXPECT_NEAR(read.lines[2].fe, 0.08, 1e-12);
        EXPECT_NEAR(read.lines[1].oms, 0.73, 1e-12);
    }
    const BillingCoefficients lone = ParseCoefficientTable("Α1\nΒ1\t0.3\t0.3\n");
    ASSERT_FALSE(lone.Ok());
    EXPECT_NE(lone.faults.front().find("Η γραμμή 1 του πίνακα"), std::string::npos)
        << lone.faults.front();
}

TEST(BilledAsMeant, CoefficientsThatAreNoBuildingAreRefusedWithTheirSums) {
    const struct {
        const char* table;
        const char* fault; // empty: accepted
    } cases[] = {
        {"Α1\t1.0\t0.2\nΒ1\t0.6\t0.3\nΓ1\t0.4\t0.4\n", "Σe = 2,0000"},
        {"Α1\t0.1000\t0.6000\t0.5\nΒ1\t0.0400\t0.6000\t0.3\nΓ1\t0.0300\t0.6000\t0.2\n",
         "= 0,7700 αντί για 1"},
        // Four-decimal rounding drift is billed, scaled.
        {"Α1\t0.1000\t0.7302\t0.5\nΒ1\t0.0900\t0.7302\t0.3\nΓ1\t0.0800\t0.7302\t0.2\n", ""},
        {"Α1\t0.1000\t0.7300\t0.5001\nΒ1\t0.0900\t0.7300\t0.3\nΓ1\t0.0800\t0.7300\t0.2\n", ""},
        // Just past what rounding can drift for three lines.
        {"Α1\t0.1000\t0.7303\t0.5\nΒ1\t0.0900\t0.7303\t0.3\nΓ1\t0.0800\t0.7303\t0.2\n",
         "ΣFE + ΟΜΣ"},
    };
    for (const auto& c : cases) {
        const BillingCoefficients read = ParseCoefficientTable(c.table);
        if (*c.fault == '\0') {
            EXPECT_TRUE(read.Ok()) << c.table << read.faults.front();
            continue;
        }
        ASSERT_FALSE(read.Ok()) << c.table;
        EXPECT_NE(read.faults.front().find(c.fault), std::string::npos) << read.faults.front();
    }
    // The sums are written as the sheet after them prints numbers.
    const BillingCoefficients english =
        ParseCoefficientTable(cases[1].table, NumberLocale::English());
    ASSERT_FALSE(english.Ok());
    EXPECT_NE(english.faults.front().find("0.1700 + 0.6000 = 0.7700 αντί για 1"), std::string::npos)
        << english.faults.front();
    EXPECT_NE(ParseCoefficientTable(cases[0].table, NumberLocale::English())
                  .faults.front()
                  .find("Σe = 2.0000"),
              std::string::npos);
}

TEST(BilledAsMeant, AnExportFileIsKnownByWhatItHolds) {
    TestFolder folder;
    const std::string lines = "0.1000,0.7300,0.5000,0.5000\r\n0.0900,0.7300,0.3000,0.3000\r\n"
                              "0.0800,0.7300,0.2000,0.2000\r\n";
    for (const char* name : {"TYPES_κτίριο.FIL", "building.FIL", "συντελεστές.txt"}) {
        WriteAll(folder.File(name), lines);
        const BillingCoefficients c = LoadCoefficients(folder.File(name));
        EXPECT_EQ(c.source, CoefficientSource::TypesFile) << name;
        ASSERT_TRUE(c.Ok()) << name << ": " << c.faults.front();
        EXPECT_EQ(c.lines.size(), 3u);
        EXPECT_DOUBLE_EQ(c.lines[1].fe, 0.09);
    }
    // A table with names stays a table.
    WriteAll(folder.File("table.FIL"), "Α1\t0.5\t0.2\nΒ1\t0.3\t0.3\nΓ1\t0.2\t0.4\n");
    EXPECT_EQ(LoadCoefficients(folder.File("table.FIL")).source, CoefficientSource::Table);
}

} // namespace
} // namespace pyrostat
