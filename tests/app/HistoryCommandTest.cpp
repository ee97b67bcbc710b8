#include "app/HistoryCommand.h"
#include "app/BillCommand.h"
#include "billing/BillTsv.h"
#include "billing/BillingHistory.h"
#include "distribution/SampleStudy.h"
#include "support/TestFolder.h"
#include "support/TestHistories.h"

#include "billing/HistoryStore.h"

#include <gtest/gtest.h>

#include <sstream>

namespace pyrostat {
namespace {

using test::ReadAll;
using test::WriteAll;

struct Outcome {
    int status;
    std::string out, err;
};

class HistoryCommand : public ::testing::Test {
protected:
    void SetUp() override {
        study = folder.File("Ευριπίδου 14.pyx");
        WriteAll(study, test::StudyBytes(test::SampleGrid(), test::kSampleTitle, true));
        WriteAll(folder.File("Ευριπίδου 14.tpx"), FormatGeneralData(test::SampleGeneralData()));
        db = folder.File("home/PYXFiles/Billing.sqlite");
    }
    Outcome Bill(std::vector<std::string> args, const std::string& readings) {
        WriteAll(folder.File("r.tsv"), readings);
        args.insert(args.begin(), {study, folder.File("r.tsv")});
        std::istringstream in;
        std::ostringstream out, err;
        BillContext context;
        context.history = HistoryStore::InFile(db);
        const int status = RunBillCommand(args, in, out, err, context);
        return {status, out.str(), err.str()};
    }
    Outcome History(const std::vector<std::string>& args, const std::string& path = "") {
        std::ostringstream out, err;
        const int status =
            RunHistoryCommand(args, HistoryStore::InFile(path.empty() ? db : path), out, err);
        return {status, out.str(), err.str()};
    }
    test::TestFolder folder;
    std::string study, db;
};

const char* kAutumn = "1\t1000\t1400\n2\t500\t900\n3\t0\t333.5\n4\t10\t10\n5\t100\t800\n"
                      "6\t0\t100\tκλειστό\n7\t1000\t20\tαντικατάσταση 1500 0\n8\t0\t300\n"
                      "9\t0\t582.78\n";

TEST_F(HistoryCommand, SavedPeriodsAreListedCarriedAndMoved) {
    EXPECT_EQ(Bill({"--cost", "2850", "--save"}, kAutumn).status, 1); // no dates
    const Outcome first =
        Bill({"--cost", "2850", "--from", "15/10/2025", "--to", "30/04/2026", "--save"}, kAutumn);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.err.find("έκδοση 1"), std::string::npos);
    // A correction of the same period: version 2 beside version 1.
    const Outcome corrected =
        Bill({"--cost", "2860", "--from", "15/10/2025", "--to", "30/04/2026", "--save"}, kAutumn);
    EXPECT_NE(corrected.err.find("έκδοση 2"), std::string::npos);

    // The next winter carried forward: one number per property, the previous
    // reading the last stored current one (333.5 for the third, 20 for the
    // seventh's new meter).
    const Outcome next =
        Bill({"--cost", "3000", "--from", "15/10/2026", "--to", "30/04/2027", "--carry", "--save"},
             "1\t1600\n2\t1300\n3\t400\n4\t10\n5\t1500\n6\t100\n7\t500\n8\t350\n"
             "9\t2600\n");
    ASSERT_EQ(next.status, 0) << next.err;
    EXPECT_NE(next.out.find("1\tΥ1 Αποθήκη-Γραφείο\t200\t"), std::string::npos);
    EXPECT_NE(next.out.find("7\tΓ1 Διαμέρισμα\t480\t"), std::string::npos);
    EXPECT_NE(next.out.find("ΣΥΝΟΛΟ\t\t3913.72\t100.00000\t"), std::string::npos);

    const Outcome listed = History({study});
    ASSERT_EQ(listed.status, 0) << listed.err;
    std::istringstream lines(listed.out);
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);) {
        rows.push_back(line);
    }
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].substr(0, rows[1].find("\t2026-")),
              "15/10/2025\t30/04/2026\t1\tωρομετρητές\t2850.00\t3236.28\t0");
    EXPECT_EQ(rows[2].rfind("15/10/2025\t30/04/2026\t2\tωρομετρητές\t2860.00\t", 0), 0u);
    EXPECT_NE(rows[3].find("\t3000.00\t3913.72\t0\t"), std::string::npos);

    ASSERT_EQ(History({study, "--tsv", folder.File("all.tsv")}).status, 0);
    const std::string all = ReadAll(folder.File("all.tsv"));
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 1 + 3 * 9);
    EXPECT_NE(all.find("15/10/2026\t30/04/2027\t1\thours\t7\tΓ1 Διαμέρισμα\t20\t500\t480\t0\t0\t"),
              std::string::npos);

    const std::string carried = folder.File("μεταφορά.sqlite");
    ASSERT_EQ(History({study, "--export", carried}).status, 0);
    const std::string elsewhere = folder.File("άλλο/Billing.sqlite");
    const Outcome imported = History({"--import", carried}, elsewhere);
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_NE(imported.out.find("Προστέθηκαν 3"), std::string::npos);
    EXPECT_EQ(History({study}, elsewhere).out, listed.out);

    // The general data changed: a new building for the history, and both the
    // list and the bill say why the stored periods are not found.
    GeneralData other = test::SampleGeneralData();
    other.Employer = "Νέος διαχειριστής";
    WriteAll(folder.File("Ευριπίδου 14.tpx"), FormatGeneralData(other));
    const Outcome renamed = History({study});
    EXPECT_NE(renamed.err.find("με άλλα γενικά στοιχεία («Ένωση Ιδιοκτητών Ευριπίδου 14»"),
              std::string::npos)
        << renamed.err;
    const Outcome orphan = Bill(
        {"--cost", "3000", "--from", "15/10/2027", "--to", "30/04/2028", "--carry"}, "1\t1700\n");
    EXPECT_NE(orphan.err.find("με άλλα γενικά στοιχεία"), std::string::npos) << orphan.err;
}

TEST_F(HistoryCommand, ARefusedDatabaseStopsTheBillWithAMessage) {
    {
        BillingHistory history(db);
        history.Database().Exec("PRAGMA user_version = 7");
    }
    const std::string before = ReadAll(db);
    const Outcome refused = Bill({"--cost", "100", "--from", "1/1/2026", "--to", "31/1/2026",
                                  "--save", "--tsv", folder.File("out.tsv")},
                                 kAutumn);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("νεότερη έκδοση"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.File("out.tsv")));
    EXPECT_EQ(History({study}).status, 1);
    EXPECT_EQ(ReadAll(db), before);
    EXPECT_EQ(History({}).status, 1);
    EXPECT_EQ(History({study, "--import", "x"}).status, 1);
}

// An office moved from a desk's file to the server and back with the
// command line: every building with its versions, owners and drafts; a
// building the server has already is matched, not doubled.
TEST_F(HistoryCommand, AnOfficeMovesToTheServerAndBackWhole) {
    test::TestHistories server(test::Store::Server);
    SKIP_WITHOUT(server);
    const HistoryStore office = server.Where("office");
    const auto run = [](const HistoryStore& store, const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int status = RunHistoryCommand(args, store, out, err);
        return Outcome{status, out.str(), err.str()};
    };
    // The desk: the sample building with two versions of one period and a
    // second period, an owner and a draft; and another building.
    ASSERT_EQ(
        Bill({"--cost", "2850", "--from", "15/10/2025", "--to", "30/04/2026", "--save"}, kAutumn)
            .status,
        0);
    ASSERT_EQ(
        Bill({"--cost", "2900", "--from", "15/10/2025", "--to", "30/04/2026", "--save"}, kAutumn)
            .status,
        0);
    ASSERT_EQ(
        Bill({"--cost", "3000", "--from", "15/10/2026", "--to", "30/04/2027", "--save"}, kAutumn)
            .status,
        0);
    BuildingKey otherKey{"/μελέτες/άλλο.pyx", "Άλλο κτίριο", "", "", "Βόλος", {}};
    {
        BillingHistory desk(db);
        const int64_t building = *desk.FindBuilding(desk.Buildings().front().second);
        desk.SetOwners(building, {{1, {"Ελένη", "", ""}}}, {}, {2026, 12, 8});
        desk.SaveDraft(building, "pyrostat-draft\t1\n");
        BillRequest request;
        request.costCents = 5000;
        request.from = BillDate{2026, 1, 1};
        request.to = BillDate{2026, 1, 31};
        desk.Save(otherKey, MakePeriodBill(ParseCoefficientTable("Α\t1\t0.2\n"),
                                           ParseReadings("Α\t5\n"), request));
    }
    // The server already has the other building, with the same period.
    {
        const auto there = OpenHistory(office);
        BillRequest request;
        request.costCents = 5000;
        request.from = BillDate{2026, 1, 1};
        request.to = BillDate{2026, 1, 31};
        there->Save(otherKey, MakePeriodBill(ParseCoefficientTable("Α\t1\t0.2\n"),
                                             ParseReadings("Α\t5\n"), request));
    }
    const std::string moved = folder.File("γραφείο.sqlite");
    const Outcome exported = run(HistoryStore::InFile(db), {"--export", moved});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_NE(exported.out.find("2 κτιρίων"), std::string::npos) << exported.out;
    const Outcome imported = run(office, {"--import", moved});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_NE(imported.out.find("Προστέθηκαν 3 περίοδοι"), std::string::npos) << imported.out;
    EXPECT_NE(imported.out.find("διακομιστής PostgreSQL"), std::string::npos) << imported.out;
    EXPECT_NE(run(office, {"--import", moved}).out.find("Προστέθηκαν 0"), std::string::npos);

    // And back into a new desk's file: the same lines, owners and draft.
    const std::string back = folder.File("πίσω.sqlite");
    ASSERT_EQ(run(office, {"--export", back}).status, 0);
    const std::string second = folder.File("second/PYXFiles/Billing.sqlite");
    ASSERT_EQ(run(HistoryStore::InFile(second), {"--import", back}).status, 0);
    BillingHistory desk(db), returned(second);
    ASSERT_EQ(returned.Buildings().size(), 2u);
    for (const auto& [id, key] : desk.Buildings()) {
        SCOPED_TRACE(key.title);
        const auto there = returned.FindBuilding(key);
        ASSERT_TRUE(there);
        const auto a = desk.Periods(id), b = returned.Periods(*there);
        ASSERT_EQ(a.size(), b.size());
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].version, b[i].version);
            if (key.title != otherKey.title) { // the other's are the server's own
                EXPECT_EQ(a[i].storedAt, b[i].storedAt);
            }
            EXPECT_EQ(BillTsv(BillOfStored(a[i])), BillTsv(BillOfStored(b[i])));
        }
        EXPECT_EQ(desk.OwnerHistory(id).size(), returned.OwnerHistory(*there).size());
        EXPECT_EQ(desk.DraftOf(id).has_value(), returned.DraftOf(*there).has_value());
    }
    // The list of the sample building on the server reads as on the desk.
    EXPECT_EQ(run(office, {study}).out, History({study}).out);
}

} // namespace
} // namespace pyrostat
