#include "billing/BillTsv.h"
#include "billing/PeriodBill.h"

#include <gtest/gtest.h>

#include <numeric>

namespace pyrostat {
namespace {

// e = 0.5, 0.3, 0.2 and f = 0.2, 0.3, 0.4: FE = 0.10, 0.09, 0.08, OMS = 0.73.
const char* kThreeFlats = "Α1\t0.5\t0.2\nΒ1\t0.3\t0.3\nΓ1\t0.2\t0.4\n";

BillRequest December(MeterMethod method = MeterMethod::Hours) {
    BillRequest request;
    request.method = method;
    request.costCents = 28500;
    request.from = BillDate{2026, 12, 1};
    request.to = BillDate{2026, 12, 31};
    return request;
}

PeriodBill Matched(const std::string& readings, const BillRequest& request = December()) {
    return MatchReadings(ParseCoefficientTable(kThreeFlats), ParseReadings(readings), request);
}

std::string Faults(const PeriodBill& bill) {
    std::string all;
    for (const std::string& fault : bill.faults) {
        all += fault + "\n";
    }
    return all;
}

TEST(BillSteps, MatchingPutsEachReadingOnItsPropertyAndMeasuresNothing) {
    // Out of order, by number, by name with other accents.
    const PeriodBill bill = Matched("3\t7\nα1\t100\t150\nΒ1\t20\n");
    ASSERT_TRUE(bill.Ok()) << Faults(bill);
    ASSERT_EQ(bill.lines.size(), 3u);
    EXPECT_EQ(bill.periodHours, 31 * 24);
    EXPECT_EQ(bill.lines[0].reading->lineNo, 2);
    EXPECT_EQ(bill.lines[1].reading->lineNo, 3);
    EXPECT_EQ(bill.lines[2].reading->lineNo, 1);
    for (const BilledLine& line : bill.lines) {
        EXPECT_EQ(line.omega, 0);
        EXPECT_EQ(line.amountCents, 0);
    }
    // One day is 24 hours; a period of one end only, or backwards, is a fault.
    BillRequest oneDay = December();
    oneDay.to = oneDay.from;
    EXPECT_EQ(Matched("Α1\t1\nΒ1\t1\nΓ1\t1\n", oneDay).periodHours, 24);
    BillRequest open = December();
    open.to.reset();
    EXPECT_NE(Faults(Matched("Α1\t1\nΒ1\t1\nΓ1\t1\n", open)).find("και την αρχή και το τέλος"),
              std::string::npos);
    // A readings line that names no property, and a property named twice.
    EXPECT_NE(Faults(Matched("Α1\t1\nΑ1\t2\nΓ1\t1\nΖ\t1\n")).find("δύο γραμμές ενδείξεων"),
              std::string::npos);
    EXPECT_NE(Faults(Matched("Α1\t1\nΒ1\t1\nΓ1\t1\nΖ\t1\n")).find("«Ζ» των ενδείξεων δεν υπάρχει"),
              std::string::npos);
}

// Each rule of a measure at its boundary: the value on the boundary is
// billed, one step past it is a fault.
TEST(BillSteps, MeasuresAtTheirBoundaries) {
    struct Case {
        const char* what;
        const char* reading; // the line of Α1
        double omega;        // Α1's measure; negative for a fault
        const char* fault;
    };
    const Case cases[] = {
        {"hours of the whole period", "Α1\t744", 744, ""},
        {"a hundredth past the period", "Α1\t744,01", -1, "περισσότερες από τις 744 ώρες"},
        {"hours from two readings", "Α1\t1000\t1744", 744, ""},
        {"a meter that did not move", "Α1\t500\t500", 0, ""},
        {"a meter that ran back by a tenth", "Α1\t500\t499,9", -1, "μικρότερη από την προηγούμενη"},
        // The old meter's final reading equal to the previous one: it counted
        // nothing, the new one counts from its start.
        {"old meter at its previous reading", "Α1\t500\t40\tαντικατάσταση 500 0", 40, ""},
        {"old meter below its previous reading", "Α1\t500\t40\tαντικατάσταση 499 0", -1,
         "τελική ένδειξη του παλιού μετρητή (499)"},
        {"new meter at its start", "Α1\t500\t7\tαντικατάσταση 510 7", 10, ""},
        {"new meter below its start", "Α1\t500\t6\tαντικατάσταση 510 7", -1,
         "αρχική του νέου μετρητή (7)"},
        {"closed, the meter moved", "Α1\t100\t180\tΚΛΕΙΣΤΟ", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PeriodBill bill = Matched(std::string(c.reading) + "\nΒ1\t1\nΓ1\t1\n");
        ASSERT_TRUE(bill.Ok()) << Faults(bill);
        const std::vector<size_t> missing = MeasureLines(bill);
        EXPECT_TRUE(missing.empty());
        if (c.omega < 0) {
            EXPECT_NE(Faults(bill).find(c.fault), std::string::npos) << Faults(bill);
            EXPECT_NE(Faults(bill).find("«Α1»"), std::string::npos);
        } else {
            EXPECT_TRUE(bill.Ok()) << Faults(bill);
            EXPECT_DOUBLE_EQ(bill.lines[0].omega, c.omega);
        }
    }
    // The closed property's meter moved: billed as nothing, and told.
    PeriodBill closed = Matched("Α1\t100\t180\tΚΛΕΙΣΤΟ\nΒ1\t1\nΓ1\t1\n");
    MeasureLines(closed);
    EXPECT_TRUE(closed.lines[0].closed);
    ASSERT_EQ(closed.notes.size(), 1u);
    EXPECT_NE(closed.notes[0].find("προχώρησε κατά 80 ώρες"), std::string::npos);
    // Hours are bounded by the period only when it has dates; energy never.
    BillRequest undated = December();
    undated.from.reset();
    undated.to.reset();
    PeriodBill longHours = Matched("Α1\t5000\nΒ1\t1\nΓ1\t1\n", undated);
    MeasureLines(longHours);
    EXPECT_TRUE(longHours.Ok());
    PeriodBill energy = Matched("Α1\t5000\nΒ1\t1\nΓ1\t1\n", December(MeterMethod::Energy));
    MeasureLines(energy);
    EXPECT_TRUE(energy.Ok());
    // The lines with no reading are returned, in order, for the estimates.
    PeriodBill twoMissing = Matched("Α1\nΒ1\t5\nΓ1\t-\n");
    EXPECT_EQ(MeasureLines(twoMissing), (std::vector<size_t>{0, 2}));
    EXPECT_TRUE(twoMissing.Ok());
}

TEST(BillSteps, EstimatesFromStoredSharesBeforeTheMean) {
    BillRequest request = December(MeterMethod::Energy);
    request.estimate = true;
    PeriodBill bill = Matched("Α1\t100\nΒ1\t300\nΓ1\n", request);
    const std::vector<size_t> missing = MeasureLines(bill);
    // By the mean per unit of e: 400 / 0.8 · 0.2.
    PeriodBill byMean = bill;
    EstimateMissing(byMean, missing);
    ASSERT_TRUE(byMean.Ok()) << Faults(byMean);
    EXPECT_DOUBLE_EQ(byMean.lines[2].omega, 100);
    EXPECT_TRUE(byMean.lines[2].estimated);
    EXPECT_EQ(byMean.estimatedCount, 1);
    // With stored shares of all three: Γ1 had a share of 0.1 against 0.9 of
    // the two read now, so 400 · 0.1 / 0.9.
    PeriodBill byShares = bill;
    byShares.request.historicalShares = {{1, 0.3}, {2, 0.6}, {3, 0.1}};
    EstimateMissing(byShares, missing);
    EXPECT_DOUBLE_EQ(byShares.lines[2].omega, 44.44);
    // A share of a property not read now does not count against it.
    PeriodBill partial = bill;
    partial.request.historicalShares = {{1, 0.3}, {3, 0.1}};
    EstimateMissing(partial, missing);
    EXPECT_DOUBLE_EQ(partial.lines[2].omega, 33.33);
    // Without the request for estimates each missing line is a fault.
    PeriodBill refused = bill;
    refused.request.estimate = false;
    EstimateMissing(refused, missing);
    EXPECT_NE(Faults(refused).find("«Γ1» δεν έχει ένδειξη"), std::string::npos);
    // Nothing read at all: no mean to estimate from.
    PeriodBill none = Matched("Α1\nΒ1\nΓ1\n", request);
    EstimateMissing(none, MeasureLines(none));
    EXPECT_NE(Faults(none).find("η εκτίμηση δεν είναι δυνατή"), std::string::npos);
}

TEST(BillSteps, SharingTheCostNeedsABillWithoutFaults) {
    PeriodBill bill = Matched("Α1\t100\nΒ1\t200\nΓ1\t0\n");
    MeasureLines(bill);
    PeriodBill faulty = bill;
    faulty.faults.push_back("βλάβη");
    ShareCost(faulty);
    for (const BilledLine& line : faulty.lines) {
        EXPECT_EQ(line.amountCents, 0);
        EXPECT_EQ(line.percent, 0);
    }
    ShareCost(bill);
    ASSERT_TRUE(bill.Ok());
    const int64_t total =
        std::accumulate(bill.lines.begin(), bill.lines.end(), int64_t{0},
                        [](int64_t sum, const BilledLine& line) { return sum + line.amountCents; });
    EXPECT_EQ(total, 28500);
    EXPECT_EQ(bill.fixedTotal, 2850 + 2565 + 2280);
    EXPECT_EQ(bill.lines[2].amountCents, bill.lines[2].fixedCents);
    EXPECT_DOUBLE_EQ(bill.sumOmega, 300);
    // The steps in turn are the bill.
    EXPECT_EQ(BillTsv(bill),
              BillTsv(MakePeriodBill(ParseCoefficientTable(kThreeFlats),
                                     ParseReadings("Α1\t100\nΒ1\t200\nΓ1\t0\n"), December())));
}

} // namespace
} // namespace pyrostat
