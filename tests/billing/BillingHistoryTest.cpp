#include "billing/BillingHistory.h"
#include "billing/BillTsv.h"
#include "billing/CarryForward.h"
#include "billing/PeriodComparison.h"
#include "billing/SqliteDatabase.h"
#include "support/TestFolder.h"
#include "support/TestHistories.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>

namespace pyrostat {
namespace {

using test::ReadAll;
using test::TestFolder;
using test::WriteAll;

// Three flats, e = 0.5, 0.3, 0.2, f = 0.2, 0.3, 0.4 (FE 0.10, 0.09, 0.08).
BillingCoefficients Flats() {
    BillingCoefficients c = ParseCoefficientTable("Α1\t0.5\t0.2\nΒ1\t0.3\t0.3\nΓ1\t0.2\t0.4\n");
    c.title = "Πολυκατοικία Δοκιμής";
    return c;
}

const BuildingKey kBuilding{
    "/μελέτες/δοκιμή.pyx", "Πολυκατοικία Δοκιμής", "Ιδιοκτήτες", "Θέρμανση", "Πάτρα", {}};

PeriodBill Bill(const std::string& readings, double euros, BillDate from, BillDate to,
                bool estimate = false, std::map<int, double> shares = {}) {
    BillRequest request;
    request.costCents = std::llround(euros * 100);
    request.from = from;
    request.to = to;
    request.estimate = estimate;
    request.historicalShares = std::move(shares);
    return MakePeriodBill(Flats(), ParseReadings(readings), request);
}

// Each test on a desk's file and on an office's server alike.
class History : public test::OnBothStores {
protected:
    std::unique_ptr<BillingHistory> Open(const std::string& name = "Billing") {
        return stores.Open(name);
    }
};
INSTANTIATE_ON_BOTH_STORES(History);

class HistoryFile : public ::testing::Test {
protected:
    std::string Db(const std::string& name = "Billing.sqlite") {
        return folder.File("PYXFiles/" + name);
    }
    TestFolder folder;
};

TEST_P(History, ABillIsStoredAndReadBackAsBilled) {
    const auto opened = Open();
    BillingHistory& history = *opened;
    EXPECT_EQ(history.SchemaVersion(), BillingHistory::kSchemaVersion);
    const PeriodBill bill = Bill("Α1\t1.000,5\t1.100,5\nΒ1\t9990\t40\tαντικατάσταση 10000 0\n"
                                 "Γ1\t5\t9\tκλειστό\n",
                                 285, {2026, 10, 15}, {2027, 4, 30});
    ASSERT_TRUE(bill.Ok());
    const StoredPeriod saved = history.Save(kBuilding, bill);
    EXPECT_EQ(saved.version, 1);
    const std::vector<StoredPeriod> back = history.Periods(*history.FindBuilding(kBuilding));
    ASSERT_EQ(back.size(), 1u);
    const StoredPeriod& p = back[0];
    EXPECT_EQ(p.from, (BillDate{2026, 10, 15}));
    EXPECT_EQ(p.to, (BillDate{2027, 4, 30}));
    EXPECT_EQ(p.costCents, 28500);
    ASSERT_EQ(p.lines.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const BilledLine& billed = bill.lines[i];
        const StoredLine& stored = p.lines[i];
        SCOPED_TRACE(stored.name);
        EXPECT_EQ(stored.number, billed.coefficients.number);
        EXPECT_EQ(stored.name, billed.name);
        EXPECT_EQ(stored.fe, billed.coefficients.fe);
        EXPECT_EQ(stored.e, billed.coefficients.e);
        EXPECT_EQ(stored.omega, billed.omega);
        EXPECT_EQ(stored.omegaDecimals, billed.omegaDecimals);
        EXPECT_EQ(stored.percent, billed.percent);
        EXPECT_EQ(stored.fixedCents, billed.fixedCents);
        EXPECT_EQ(stored.variableCents, billed.variableCents);
        EXPECT_EQ(stored.amountCents, billed.amountCents);
        EXPECT_EQ(stored.closed, billed.closed);
    }
    EXPECT_EQ(p.lines[0].previous->value, 1000.5);
    EXPECT_EQ(p.lines[0].previous->decimals, 1);
    EXPECT_TRUE(p.lines[1].replaced);
    EXPECT_EQ(p.lines[1].oldFinal.value, 10000);
    EXPECT_EQ(p.SumOmega(), 150);
    // Read back as a bill, it prints as the bill that was stored.
    EXPECT_EQ(BillTsv(BillOfStored(p)), BillTsv(bill));

    // A bill that was not made, or has no dates, is not stored.
    EXPECT_THROW(
        history.Save(kBuilding, Bill("Α1\t5\t1\nΒ1\t1\nΓ1\t1\n", 10, {2026, 1, 1}, {2026, 1, 31})),
        HistoryError);
}

TEST_P(History, ACorrectionIsANewVersionAndTheOriginalStays) {
    const auto opened = Open();
    BillingHistory& history = *opened;
    history.Save(kBuilding, Bill("Α1\t100\nΒ1\t200\nΓ1\t0\n", 285, {2026, 1, 1}, {2026, 1, 31}));
    history.Save(kBuilding, Bill("Α1\t100\nΒ1\t210\nΓ1\t0\n", 285, {2026, 1, 1}, {2026, 1, 31}));
    history.Save(kBuilding, Bill("Α1\t90\nΒ1\t200\nΓ1\t5\n", 300, {2026, 2, 1}, {2026, 2, 28}));
    const int64_t building = *history.FindBuilding(kBuilding);
    const std::vector<StoredPeriod> all = history.Periods(building);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].version, 1);
    EXPECT_EQ(all[1].version, 2);
    EXPECT_EQ(all[0].lines[1].omega, 200);
    EXPECT_EQ(all[1].lines[1].omega, 210);
    const std::vector<StoredPeriod> latest = history.LatestPeriods(building);
    ASSERT_EQ(latest.size(), 2u);
    EXPECT_EQ(latest[0].version, 2);

    // The database itself refuses to change or drop a stored bill.
    HistoryDatabase& db = history.Database();
    EXPECT_THROW(db.Exec("UPDATE reading SET amount_cents = 0"), DatabaseError);
    EXPECT_THROW(db.Exec("DELETE FROM period"), DatabaseError);
    EXPECT_THROW(db.Exec("DELETE FROM reading"), DatabaseError);
    EXPECT_EQ(history.Periods(building).size(), 3u);
    // And a reading of no stored property cannot be written.
    EXPECT_THROW(db.Exec("INSERT INTO reading (period_id, property_id, fe, oms, e, omega, "
                         "closed, replaced, estimated, percent, fixed_cents, variable_cents, "
                         "amount_cents) VALUES (1, 999, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0)"),
                 DatabaseError);
}

TEST_P(History, TheFirstSchemaIsMigratedWithItsBills) {
    {
        const std::unique_ptr<HistoryDatabase> v1 = stores.Raw();
        v1->Exec(HistorySchemaSteps(v1->Dialect())[0]);
        v1->Exec(
            "INSERT INTO building VALUES (1, '/μελέτες/δοκιμή.pyx', 'Πολυκατοικία Δοκιμής', "
            "'Ιδιοκτήτες', 'Θέρμανση', 'Πάτρα');"
            "INSERT INTO property VALUES (1, 1, 1, 'Α1');"
            "INSERT INTO period VALUES (1, 1, '2025-01-01', '2025-01-31', 1, 'hours', 10000, "
            "1.0, '2025-02-01 09:00:00');"
            "INSERT INTO reading VALUES (1, 1, 0.1, 0.73, 0.5, 100, 150, 50, 0, 0, NULL, NULL, "
            "0, 100.0, 1000, 9000, 10000);");
        if (v1->Dialect() == HistoryDialect::Postgres) {
            // The rows above were given their numbers: the server's counters
            // go on after them.
            for (const char* table : {"building", "property", "period"}) {
                v1->Exec(std::string("SELECT setval(pg_get_serial_sequence('") + table +
                         "', 'id'), 1)");
            }
        }
    }
    const auto opened = Open();
    BillingHistory& history = *opened;
    EXPECT_EQ(history.SchemaVersion(), BillingHistory::kSchemaVersion);
    const std::vector<StoredPeriod> periods = history.Periods(*history.FindBuilding(kBuilding));
    ASSERT_EQ(periods.size(), 1u);
    ASSERT_EQ(periods[0].lines.size(), 1u);
    EXPECT_EQ(periods[0].lines[0].current->value, 150);
    EXPECT_EQ(periods[0].lines[0].omegaDecimals, 2); // the default the migration gives
    EXPECT_EQ(periods[0].lines[0].amountCents, 10000);
    // The next bill goes in beside it.
    history.Save(kBuilding, Bill("Α1\t1\nΒ1\t1\nΓ1\t1\n", 10, {2025, 2, 1}, {2025, 2, 28}));
    EXPECT_EQ(history.Periods(*history.FindBuilding(kBuilding)).size(), 2u);
}

TEST_F(HistoryFile, FilesItCannotTrustAreLeftAsTheyAre) {
    std::filesystem::create_directories(folder.File("PYXFiles"));
    struct Case {
        const char* what;
        std::function<void(const std::string&)> make;
        std::string expected;
    };
    const Case cases[] = {
        {"damaged", [](const std::string& p) { WriteAll(p, std::string(4096, '\x7f')); },
         "κατεστραμμένη"},
        {"newer",
         [](const std::string& p) {
             SqliteDatabase db(p, true);
             db.Exec("CREATE TABLE building (id INTEGER); PRAGMA user_version = 9;");
         },
         "νεότερη έκδοση"},
        // A version no program writes is no version this one knows.
        {"negative",
         [](const std::string& p) {
             SqliteDatabase db(p, true);
             db.Exec("CREATE TABLE building (id INTEGER); PRAGMA user_version = -1;");
         },
         "νεότερη έκδοση"},
        {"very negative",
         [](const std::string& p) {
             SqliteDatabase db(p, true);
             db.Exec("PRAGMA user_version = -2147483648;");
         },
         "νεότερη έκδοση"},
        {"another program's",
         [](const std::string& p) {
             SqliteDatabase db(p, true);
             db.Exec("CREATE TABLE accounts (id INTEGER)");
         },
         "άλλου προγράμματος"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = Db(std::string(c.what) + ".sqlite");
        c.make(path);
        const std::string before = ReadAll(path);
        try {
            BillingHistory history(path);
            ADD_FAILURE() << "opened";
        } catch (const HistoryError& e) {
            EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
            // Greek only: SQLite's own English stays out of the message.
            std::string text = e.what();
            text.erase(text.find(path), path.size());
            EXPECT_EQ(text.find_first_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos) << text;
        }
        EXPECT_EQ(ReadAll(path), before);
        EXPECT_FALSE(std::filesystem::exists(path + "-wal"));
    }
    std::filesystem::create_directories(Db("folder.sqlite"));
    EXPECT_THROW(BillingHistory history(Db("folder.sqlite")), HistoryError);
}

TEST_P(History, ReadingsCarriedForwardFromTheLastStoredPeriod) {
    const auto opened = Open();
    BillingHistory& history = *opened;
    history.Save(kBuilding,
                 Bill("Α1\t1000\t1100\nΒ1\t50\nΓ1\t0\t10\n", 285, {2026, 1, 1}, {2026, 1, 31}));
    history.Save(kBuilding, Bill("Α1\t1100\t1180\nΒ1\t60\nΓ1\t10\t10\tκλειστό\n", 285, {2026, 2, 1},
                                 {2026, 2, 28}));
    const std::vector<StoredPeriod> latest =
        history.LatestPeriods(*history.FindBuilding(kBuilding));

    ReadingsTable march = ParseReadings("Α1\t1250\nΒ1\t200\t260\nΓ1\t30\n");
    EXPECT_TRUE(CarryReadingsForward(march, Flats(), latest, BillDate{2026, 3, 1}).empty());
    EXPECT_EQ(march.lines[0].previous->value, 1180);
    EXPECT_EQ(march.lines[0].current->value, 1250);
    EXPECT_EQ(march.lines[1].previous->value, 200); // two numbers stand as given
    EXPECT_EQ(march.lines[2].previous->value, 10);  // the closed month's reading
    BillRequest request;
    request.costCents = 10000;
    EXPECT_TRUE(MakePeriodBill(Flats(), march, request).Ok());

    // Β1 was read as hours, never from a meter: nothing to carry.
    ReadingsTable again = ParseReadings("Α1\t1250\nΒ1\t300\nΓ1\t30\n");
    const std::vector<std::string> faults =
        CarryReadingsForward(again, Flats(), latest, BillDate{2026, 3, 1});
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_NE(faults[0].find("«Β1»"), std::string::npos);
    // Nothing stored before January.
    ReadingsTable early = ParseReadings("Α1\t1250\n");
    EXPECT_EQ(CarryReadingsForward(early, Flats(), latest, BillDate{2025, 12, 1}).size(), 1u);
}

TEST_P(History, NoticesCompareWithThePreviousPeriodAndAYearBefore) {
    const auto opened = Open();
    BillingHistory& history = *opened;
    // Twelve months of 2025 and January 2026: Γ1 uses a tenth of the
    // building's hours, until it jumps in January 2026.
    for (int month = 1; month <= 12; ++month) {
        history.Save(kBuilding, Bill("Α1\t" + std::to_string(100 + month) + "\nΒ1\t200\nΓ1\t" +
                                         std::to_string(30 + month) + "\n",
                                     100, {2025, month, 1}, {2025, month, 28}));
    }
    const PeriodBill january =
        Bill("Α1\t110\nΒ1\t200\nΓ1\t310\n", 100, {2026, 1, 1}, {2026, 1, 28});
    history.Save(kBuilding, january); // stored first, compared all the same
    const std::vector<PropertyComparison> c =
        ComparePeriod(january, history.LatestPeriods(*history.FindBuilding(kBuilding)));
    ASSERT_EQ(c.size(), 3u);
    ASSERT_TRUE(c[2].previous);
    EXPECT_EQ(c[2].previous->from, (BillDate{2025, 12, 1}));
    EXPECT_EQ(c[2].previous->omega, 42);
    ASSERT_TRUE(c[2].yearBefore);
    EXPECT_EQ(c[2].yearBefore->from, (BillDate{2025, 1, 1}));
    EXPECT_EQ(c[2].yearBefore->omega, 31);
    // Ω per unit of e: 310 / 0.2, against (110 + 200 + 310) / 1.
    EXPECT_DOUBLE_EQ(c[2].perE, 1550);
    EXPECT_DOUBLE_EQ(c[2].buildingPerE, 620);
    // The bars: four stored months and this one.
    ASSERT_EQ(c[2].recent.size(), kBarsBefore + 1);
    EXPECT_EQ(c[2].recent.front().from, (BillDate{2025, 9, 1}));
    EXPECT_EQ(c[2].recent.back().omega, 310);
    // Γ1's share went from about a tenth to a half: marked; Α1 and Β1 moved
    // less than half of their own share.
    EXPECT_TRUE(c[2].implausible);
    EXPECT_FALSE(c[0].implausible);
    EXPECT_FALSE(c[1].implausible) << "Β1: 0.32 of the building against 0.58";
}

TEST_P(History, EstimatesUseThePropertysOwnShareFirst) {
    const auto opened = Open();
    BillingHistory& history = *opened;
    // Γ1 always reads a third of what Α1 and Β1 read together.
    history.Save(kBuilding, Bill("Α1\t100\nΒ1\t200\nΓ1\t100\n", 100, {2026, 1, 1}, {2026, 1, 31}));
    const std::map<int, double> shares = HistoricalShares(
        history.LatestPeriods(*history.FindBuilding(kBuilding)), MeterMethod::Hours);
    EXPECT_DOUBLE_EQ(shares.at(3), 0.25);
    const PeriodBill february =
        Bill("Α1\t150\nΒ1\t300\nΓ1\n", 100, {2026, 2, 1}, {2026, 2, 28}, true, shares);
    ASSERT_TRUE(february.Ok());
    // 0.25 of the building against 0.75 read now (450): 150, not e-based 112.5.
    EXPECT_DOUBLE_EQ(february.lines[2].omega, 150);
    const PeriodBill noHistory =
        Bill("Α1\t150\nΒ1\t300\nΓ1\n", 100, {2026, 2, 1}, {2026, 2, 28}, true);
    EXPECT_DOUBLE_EQ(noHistory.lines[2].omega, 112.5);
}

TEST_P(History, OneBuildingMovesToAnotherDatabase) {
    TestFolder& folder = stores.Folder();
    const BuildingKey other{"/μελέτες/άλλη.pyx", "Άλλη", "", "", "", {}};
    {
        const auto opened = Open();
        BillingHistory& history = *opened;
        history.Save(kBuilding, Bill("Α1\t1\nΒ1\t2\nΓ1\t3\n", 10, {2026, 1, 1}, {2026, 1, 31}));
        history.Save(kBuilding, Bill("Α1\t1\nΒ1\t2\nΓ1\t4\n", 10, {2026, 1, 1}, {2026, 1, 31}));
        history.Save(other, Bill("Α1\t1\nΒ1\t1\nΓ1\t1\n", 10, {2026, 1, 1}, {2026, 1, 31}));
        history.ExportBuilding(*history.FindBuilding(kBuilding), folder.File("μεταφορά.sqlite"));
        EXPECT_THROW(history.ExportBuilding(*history.FindBuilding(kBuilding),
                                            folder.File("μεταφορά.sqlite")),
                     HistoryError);
        // A folder that is not there is told, not made.
        try {
            history.ExportBuilding(*history.FindBuilding(kBuilding),
                                   folder.File("λάθος/μεταφορά.sqlite"));
            ADD_FAILURE() << "exported into a missing folder";
        } catch (const HistoryError& e) {
            EXPECT_NE(std::string(e.what()).find("ο φάκελός του δεν υπάρχει"), std::string::npos)
                << e.what();
        }
        EXPECT_FALSE(std::filesystem::exists(folder.File("λάθος")));
    }
    const auto openedSecond = Open("second");
    BillingHistory& second = *openedSecond;
    second.Save(kBuilding, Bill("Α1\t5\nΒ1\t5\nΓ1\t5\n", 10, {2025, 12, 1}, {2025, 12, 31}));
    EXPECT_EQ(second.Import(folder.File("μεταφορά.sqlite")), 2);
    EXPECT_EQ(second.Import(folder.File("μεταφορά.sqlite")), 0); // nothing twice
    EXPECT_FALSE(second.FindBuilding(other));
    const auto openedFirst = Open();
    BillingHistory& first = *openedFirst;
    const auto a = first.Periods(*first.FindBuilding(kBuilding));
    const auto b = second.Periods(*second.FindBuilding(kBuilding));
    ASSERT_EQ(b.size(), 3u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(b[i + 1].version, a[i].version);
        EXPECT_EQ(b[i + 1].storedAt, a[i].storedAt);
        ASSERT_EQ(b[i + 1].lines.size(), a[i].lines.size());
        for (size_t k = 0; k < a[i].lines.size(); ++k) {
            EXPECT_EQ(b[i + 1].lines[k].amountCents, a[i].lines[k].amountCents);
            EXPECT_EQ(b[i + 1].lines[k].omega, a[i].lines[k].omega);
        }
    }
}

// A stored bill read back warns of estimates as it did when it was made:
// more than a quarter of the properties, not a quarter exactly.
TEST(BillOfStored, WarnsOfEstimatesPastAQuarter) {
    for (const int estimated : {2, 3}) {
        StoredPeriod p;
        p.from = {2026, 12, 1};
        p.to = {2026, 12, 31};
        for (int i = 1; i <= 8; ++i) {
            StoredLine line;
            line.number = i;
            line.name = "Δ" + std::to_string(i);
            line.estimated = i <= estimated;
            line.omega = 10;
            p.lines.push_back(line);
        }
        const PeriodBill bill = BillOfStored(p);
        EXPECT_EQ(bill.estimatedCount, estimated);
        EXPECT_EQ(bill.manyEstimates, estimated == 3) << estimated;
        EXPECT_EQ(bill.periodHours, 31 * 24);
    }
}

} // namespace
} // namespace pyrostat
