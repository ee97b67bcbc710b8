#include "billing/PeriodBill.h"
#include "billing/BillTsv.h"
#include "billing/MoneyRounding.h"
#include "platform/Codepage1253.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numeric>
#include <random>

namespace pyrostat {
namespace {

// Three flats with e = 0.5, 0.3, 0.2 and f = 0.2, 0.3, 0.4: FE = 0.10, 0.09,
// 0.08, OMS = 0.73.
const char* kThreeFlats = "Α1\t0.5\t0.2\nΒ1\t0.3\t0.3\nΓ1\t0.2\t0.4\n";

PeriodBill Bill(const std::string& coefficients, const std::string& readings, double euros,
                MeterMethod method = MeterMethod::Hours, bool estimate = false) {
    BillRequest request;
    request.method = method;
    request.costCents = std::llround(euros * 100);
    request.estimate = estimate;
    return MakePeriodBill(ParseCoefficientTable(coefficients), ParseReadings(readings), request);
}

std::vector<int64_t> Amounts(const PeriodBill& bill) {
    std::vector<int64_t> cents;
    for (const BilledLine& line : bill.lines) {
        cents.push_back(line.amountCents);
    }
    return cents;
}

// Worked by hand: hours weigh by e, energy units count as they are.
TEST(PeriodBill, BothMethodsWorkedByHand) {
    struct Case {
        MeterMethod method;
        std::vector<double> percent;
        std::vector<int64_t> cents;
    };
    const Case cases[] = {
        // Σ(eΩ) = 50 + 60 + 0 = 110: Π1 = 10 + 73·50/110, Π2 = 9 + 73·60/110, Π3 = 8.
        {MeterMethod::Hours, {43.181818181818, 48.818181818182, 8.0}, {12307, 13913, 2280}},
        // ΣΩ = 300: Π1 = 10 + 73/3, Π2 = 9 + 146/3, Π3 = 8.
        {MeterMethod::Energy, {34.333333333333, 57.666666666667, 8.0}, {9785, 16435, 2280}},
    };
    for (const Case& c : cases) {
        const PeriodBill bill = Bill(kThreeFlats, "Α1\t100\nΒ1\t200\nΓ1\t0\n", 285, c.method);
        ASSERT_TRUE(bill.Ok()) << bill.faults.front();
        EXPECT_FALSE(bill.scaled);
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_NEAR(bill.lines[i].percent, c.percent[i], 1e-9) << i;
        }
        EXPECT_EQ(Amounts(bill), c.cents);
        EXPECT_EQ(bill.fixedTotal + bill.variableTotal, 28500);
    }
    // The third flat read nothing: it pays its fixed part alone, to the cent.
    const PeriodBill hours = Bill(kThreeFlats, "Α1\t100\nΒ1\t200\nΓ1\t0\n", 285);
    EXPECT_EQ(hours.lines[2].fixedCents, 2280);
    EXPECT_EQ(hours.lines[2].variableCents, 0);
}

TEST(PeriodBill, TsvLinesAndTheTotal) {
    const PeriodBill bill = Bill(kThreeFlats, "Α1\t1000,5\t1100,5\nΒ1\t200\nΓ1\t0\n", 285);
    ASSERT_TRUE(bill.Ok());
    EXPECT_EQ(BillTsv(bill), "1\tΑ1\t100.0\t43.18182\t28.50\t94.57\t123.07\n"
                             "2\tΒ1\t200\t48.81818\t25.65\t113.48\t139.13\n"
                             "3\tΓ1\t0\t8.00000\t22.80\t0.00\t22.80\n"
                             "ΣΥΝΟΛΟ\t\t300.0\t100.00000\t76.95\t208.05\t285.00\n");

    // Nothing to share and nothing measured: the variable part goes to no one,
    // and the total says what the lines add up to, not a hundred.
    const PeriodBill idle = Bill(kThreeFlats, "Α1\t0\nΒ1\t0\nΓ1\t0\n", 0);
    ASSERT_TRUE(idle.Ok());
    EXPECT_EQ(BillTsv(idle), "1\tΑ1\t0\t10.00000\t0.00\t0.00\t0.00\n"
                             "2\tΒ1\t0\t9.00000\t0.00\t0.00\t0.00\n"
                             "3\tΓ1\t0\t8.00000\t0.00\t0.00\t0.00\n"
                             "ΣΥΝΟΛΟ\t\t0\t27.00000\t0.00\t0.00\t0.00\n");
}

// The published kind of example that bills 285.01 when each amount is rounded
// alone: three equal thirds of 285.00 € and the like.
TEST(PeriodBill, CentsAddUpWhereRoundingEachAloneDoesNot) {
    const PeriodBill thirds = Bill("Α\t0.3334\t0\nΒ\t0.3333\t0\nΓ\t0.3333\t0\n",
                                   "Α\t1\nΒ\t1\nΓ\t1\n", 100, MeterMethod::Energy);
    ASSERT_TRUE(thirds.Ok());
    EXPECT_EQ(Amounts(thirds), (std::vector<int64_t>{3334, 3333, 3333}));

    // Equal remainders: the earlier property takes the cent.
    EXPECT_EQ(ShareCents({0.5, 0.5, 0.5, 1.5}, 3), (std::vector<int64_t>{1, 1, 0, 1}));
    // Noise of doubles around a whole cent does not move a cent.
    EXPECT_EQ(ShareCents({1234.9999999999, 765.0000000001}, 2000),
              (std::vector<int64_t>{1235, 765}));
}

// Any building, any cost: the amounts add up to the cost and each lies within
// a cent of its exact share, computed here on its own in long double.
TEST(PeriodBill, RandomBuildingsShareTheCostToTheCent) {
    std::mt19937_64 random(7);
    for (int building = 0; building < 400; ++building) {
        const int n = 1 + static_cast<int>(random() % 60);
        std::string coefficients, readings;
        std::vector<long double> e(n), f(n), omega(n);
        long double sumE = 0;
        for (int i = 0; i < n; ++i) {
            e[i] = 1 + random() % 3000;
            sumE += e[i];
        }
        for (int i = 0; i < n; ++i) {
            // e as the table holds it: fifteen decimals.
            char text[64];
            std::snprintf(text, sizeof text, "%.15Lf", e[i] / sumE);
            e[i] = std::strtold(text, nullptr);
            f[i] = (random() % 500) / 1000.0L;
            omega[i] = random() % 4 == 0 ? 0 : (random() % 200000) / 100.0L;
            char line[128];
            std::snprintf(line, sizeof line, "Δ%d\t%.15Lf\t%.3Lf\n", i + 1, e[i], f[i]);
            coefficients += line;
            std::snprintf(line, sizeof line, "Δ%d\t%.2Lf\n", i + 1, omega[i]);
            readings += line;
        }
        const MeterMethod method = building % 2 ? MeterMethod::Hours : MeterMethod::Energy;
        const int64_t cost = static_cast<int64_t>(random() % 10000000);
        BillRequest request;
        request.method = method;
        request.costCents = cost;
        const PeriodBill bill =
            MakePeriodBill(ParseCoefficientTable(coefficients), ParseReadings(readings), request);
        long double sumFe = 0, weights = 0;
        for (int i = 0; i < n; ++i) {
            sumFe += e[i] * f[i];
            weights += method == MeterMethod::Hours ? e[i] * omega[i] : omega[i];
        }
        if (weights == 0) {
            EXPECT_EQ(bill.Ok(), cost == 0);
            continue;
        }
        ASSERT_TRUE(bill.Ok()) << bill.faults.front() << "\n" << coefficients;
        int64_t sum = 0, fixed = 0;
        for (int i = 0; i < n; ++i) {
            const long double weight = method == MeterMethod::Hours ? e[i] * omega[i] : omega[i];
            const long double share = e[i] * f[i] + (1 - sumFe) * weight / weights;
            const BilledLine& line = bill.lines[static_cast<size_t>(i)];
            EXPECT_LT(std::fabs(static_cast<long double>(line.amountCents) - cost * share), 1.0L)
                << "building " << building << " property " << i;
            EXPECT_EQ(line.fixedCents + line.variableCents, line.amountCents);
            EXPECT_GE(line.variableCents, 0);
            sum += line.amountCents;
            fixed += line.fixedCents;
        }
        EXPECT_EQ(sum, cost);
        EXPECT_EQ(bill.fixedTotal, fixed);
    }
}

TEST(PeriodBill, EveryFaultNamesThePropertyAndBillsNothing) {
    struct Case {
        const char* what;
        std::string readings;
        double euros;
        std::string expected; // a part of the message
        std::optional<BillDate> from, to;
    };
    const std::vector<Case> cases = {
        {"current below previous",
         "Α1\t500\t400\nΒ1\t1\nΓ1\t1\n",
         10,
         "«Α1»: η τρέχουσα ένδειξη (400) είναι μικρότερη από την προηγούμενη (500)",
         {},
         {}},
        {"replacement below the old start",
         "Α1\t500\t40\tαντικατάσταση\t450\t0\nΒ1\t1\nΓ1\t1\n",
         10,
         "«Α1»: η τελική ένδειξη του παλιού μετρητή (450)",
         {},
         {}},
        {"new meter read below its start",
         "Α1\t500\t40\tαντικατάσταση 700 50\nΒ1\t1\nΓ1\t1\n",
         10,
         "«Α1»: η τρέχουσα ένδειξη (40) είναι μικρότερη από την αρχική του νέου μετρητή (50)",
         {},
         {}},
        {"property not in the coefficients",
         "Α1\t1\nΒ1\t1\nΓ1\t1\nΔ9\t1\n",
         10,
         "«Δ9» των ενδείξεων δεν υπάρχει",
         {},
         {}},
        {"property without readings", "Α1\t1\nΓ1\t1\n", 10, "«Β1» δεν έχει γραμμή", {}, {}},
        {"two lines of one property",
         "Α1\t1\nΒ1\t1\nΓ1\t1\n2\t5\n",
         10,
         "«Β1» έχει δύο γραμμές ενδείξεων (γραμμές 2 και 4)",
         {},
         {}},
        {"more hours than the period", "Α1\t745\nΒ1\t1\nΓ1\t1\n", 10,
         "«Α1» έχει 745 ώρες, περισσότερες από τις 744 ώρες της περιόδου", BillDate{2026, 12, 1},
         BillDate{2026, 12, 31}},
        {"period ends before it starts", "Α1\t1\nΒ1\t1\nΓ1\t1\n", 10, "πριν αρχίσει",
         BillDate{2026, 12, 1}, BillDate{2026, 11, 30}},
        {"all zero with a cost",
         "Α1\t0\nΒ1\t0\nΓ1\t0\n",
         10,
         "Καμία Ιδιοκτησία δεν έχει ώρες",
         {},
         {}},
        {"missing reading without estimate",
         "Α1\t1\nΒ1\nΓ1\t1\n",
         10,
         "«Β1» δεν έχει ένδειξη",
         {},
         {}},
        {"a word that is no mark",
         "Α1\t1\tανοιχτό\nΒ1\t1\nΓ1\t1\n",
         10,
         "«ανοιχτό» δεν είναι ούτε αριθμός ούτε σημείωση",
         {},
         {}},
        {"three numbers",
         "Α1\t1\t2\t3\nΒ1\t1\nΓ1\t1\n",
         10,
         "περισσότεροι από δύο αριθμοί",
         {},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BillRequest request;
        request.costCents = std::llround(c.euros * 100);
        request.from = c.from;
        request.to = c.to;
        const PeriodBill bill =
            MakePeriodBill(ParseCoefficientTable(kThreeFlats), ParseReadings(c.readings), request);
        ASSERT_FALSE(bill.Ok());
        std::string all;
        for (const std::string& fault : bill.faults) {
            all += fault + "\n";
        }
        EXPECT_NE(all.find(c.expected), std::string::npos) << all;
        for (const BilledLine& line : bill.lines) {
            EXPECT_EQ(line.amountCents, 0);
        }
    }
    // The same 745 hours in a period of 31 days and one more: billed.
    BillRequest longer;
    longer.costCents = 1000;
    longer.from = BillDate{2026, 12, 1};
    longer.to = BillDate{2027, 1, 1};
    EXPECT_TRUE(MakePeriodBill(ParseCoefficientTable(kThreeFlats),
                               ParseReadings("Α1\t745\nΒ1\t1\nΓ1\t1\n"), longer)
                    .Ok());
}

TEST(PeriodBill, ReplacedMeterClosedPropertyAndReadingsAsTyped) {
    // Windows-1253 text with the decimal comma and a line of headings.
    const std::string readings = Utf8ToCp1253("Ιδιοκτησία\tΠροηγούμενη\tΤρέχουσα\n"
                                              "Α1\t1.250,5\t1.300,25\n"
                                              "Β1\t9990\t40\tαντικατάσταση\t10000\t0\n"
                                              "# ο Γ1 έμεινε κλειστός\n"
                                              "Γ1\t100\t180\tΚΛΕΙΣΤΟ\n");
    const PeriodBill bill = Bill(kThreeFlats, readings, 100);
    ASSERT_TRUE(bill.Ok()) << bill.faults.front();
    EXPECT_DOUBLE_EQ(bill.lines[0].omega, 49.75);
    EXPECT_EQ(bill.lines[0].omegaDecimals, 2);
    EXPECT_DOUBLE_EQ(bill.lines[1].omega, 50); // 10 on the old meter, 40 on the new
    EXPECT_TRUE(bill.lines[2].closed);
    EXPECT_EQ(bill.lines[2].omega, 0);
    EXPECT_EQ(bill.lines[2].amountCents, 800); // its fixed part, FE = 0.08
    EXPECT_EQ(bill.lines[2].variableCents, 0);
}

TEST(PeriodBill, EstimatesFromTheMeanPerUnitOfE) {
    // Α1 and Β1 read 100 and 200 for Σe = 0.8: 375 per unit, Γ1 (e 0.2) 75.
    const PeriodBill one =
        Bill(kThreeFlats, "Α1\t100\nΒ1\t200\nΓ1\t-\n", 100, MeterMethod::Energy, true);
    ASSERT_TRUE(one.Ok()) << one.faults.front();
    EXPECT_TRUE(one.lines[2].estimated);
    EXPECT_DOUBLE_EQ(one.lines[2].omega, 75);
    EXPECT_EQ(one.estimatedCount, 1);
    EXPECT_TRUE(one.manyEstimates); // one of three is more than a quarter
    EXPECT_NE(ManyEstimatesWarning(one).find("1 από τις 3"), std::string::npos);

    std::string coefficients, readings;
    for (int i = 1; i <= 8; ++i) {
        coefficients += "Δ" + std::to_string(i) + "\t0.125\t0.3\n";
        readings += "Δ" + std::to_string(i) + (i <= 2 ? "\n" : "\t300\n");
    }
    const PeriodBill quarter = Bill(coefficients, readings, 100, MeterMethod::Hours, true);
    ASSERT_TRUE(quarter.Ok());
    EXPECT_EQ(quarter.estimatedCount, 2);
    EXPECT_FALSE(quarter.manyEstimates); // two of eight is a quarter, not more
    EXPECT_DOUBLE_EQ(quarter.lines[0].omega, 300);
}

TEST(PeriodBill, PrintedCoefficientsThatMissOneAreScaledToAHundred) {
    // FE + OMS of the printed numbers: 0.1000 + 0.0900 + 0.0800 + 0.7302.
    const PeriodBill bill =
        Bill("Α1\t0.1000\t0.7302\t0.5\nΒ1\t0.0900\t0.7302\t0.3\nΓ1\t0.0800\t0.7302\t0.2\n",
             "Α1\t100\nΒ1\t200\nΓ1\t0\n", 285);
    ASSERT_TRUE(bill.Ok());
    ASSERT_TRUE(bill.scaled);
    EXPECT_NEAR(bill.factor, 1 / 1.0002, 1e-15);
    double sum = 0;
    for (const BilledLine& line : bill.lines) {
        sum += line.percent;
    }
    EXPECT_NEAR(sum, 100, 1e-9);
    EXPECT_NEAR(bill.lines[2].percent, 8 / 1.0002, 1e-9);
    EXPECT_EQ(bill.fixedTotal + bill.variableTotal, 28500);
    EXPECT_NE(ScaleFactorNote(bill).find("1,0002"), std::string::npos);
    EXPECT_NE(ScaleFactorNote(bill).find("0,99980004"), std::string::npos);
}

} // namespace
} // namespace pyrostat

namespace pyrostat {
namespace {

// What a user types for a cost, a reading and a date, read as he means it
// or refused.
TEST(BillInput, CostsReadingsAndDatesAsTyped) {
    const std::pair<const char*, std::optional<int64_t>> costs[] = {
        {"285", 28500},
        {"285,5", 28550},
        {"1.234,56", 123456},
        {"1,234.56", 123456},
        {"1.234.567", 123456700},
        {"€ 2.850,00", 285000},
        {"2850 €", 285000},
        {"0", 0},
        {"2.850", 285000}, // a third decimal would be no cent: thousands
        {"12,345", 1234500},
        // No group of thousands after a zero or after more than three digits.
        {"0.005", std::nullopt},
        {"0,850", std::nullopt},
        {"1234.567", std::nullopt},
        {"1,2345", std::nullopt},
        {"2.850,123", std::nullopt},
        {"-5", std::nullopt},
        {"", std::nullopt},
        {"1,2,3", std::nullopt},
        {"12.34.5", std::nullopt},
        {"1e3", std::nullopt},
        {"πέντε", std::nullopt},
    };
    for (const auto& [text, cents] : costs) {
        EXPECT_EQ(ParseEuroCents(text), cents) << text;
    }
    const auto reading = ParseBillNumber(" 1.250,75 ");
    ASSERT_TRUE(reading);
    EXPECT_EQ(reading->value, 1250.75);
    EXPECT_EQ(reading->decimals, 2);
    EXPECT_EQ(ParseBillNumber("333.5")->decimals, 1);
    EXPECT_FALSE(ParseBillNumber("33 3"));

    const std::pair<const char*, std::optional<BillDate>> dates[] = {
        {"15/10/2026", BillDate{2026, 10, 15}},
        {"1.2.2027", BillDate{2027, 2, 1}},
        {"2027-04-30", BillDate{2027, 4, 30}},
        {"29/02/2028", BillDate{2028, 2, 29}},
        {"29/02/2027", std::nullopt},
        {"31/04/2027", std::nullopt},
        {"15/10/26", std::nullopt},
        {"2026/10-15", std::nullopt},
        {" 1/1/2026\r", BillDate{2026, 1, 1}}, // as pasted
        {"1/1 /2026", std::nullopt},
    };
    for (const auto& [text, date] : dates) {
        EXPECT_EQ(ParseBillDate(text), date) << text;
    }
    EXPECT_EQ(DaysCounted({2026, 10, 15}, {2027, 4, 30}), 198);
    EXPECT_EQ(NextDay({2026, 12, 31}), (BillDate{2027, 1, 1}));
}

} // namespace
} // namespace pyrostat
