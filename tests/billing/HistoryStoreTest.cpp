// The history as several programs and moves meet it: an export read without
// a change to it, a new database made by six programs at once, a study found
// again after a move, and periods that overlap refused.

#include "billing/BillingHistory.h"
#include "billing/SqliteDatabase.h"
#include "support/TestFolder.h"
#include "support/TestHistories.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pyrostat {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::TestFolder;
using test::WriteAll;

BillingCoefficients Flats(const char* names = "Α1\tΒ1\tΓ1") {
    const std::string n = names;
    const size_t a = n.find('\t'), b = n.find('\t', a + 1);
    BillingCoefficients c =
        ParseCoefficientTable(n.substr(0, a) + "\t0.5\t0.2\n" + n.substr(a + 1, b - a - 1) +
                              "\t0.3\t0.3\n" + n.substr(b + 1) + "\t0.2\t0.4\n");
    c.title = "Πολυκατοικία";
    c.employer = "Ένωση Ιδιοκτητών";
    return c;
}

PeriodBill Bill(BillDate from, BillDate to, const BillingCoefficients& c = Flats()) {
    BillRequest request;
    request.costCents = 10000;
    request.from = from;
    request.to = to;
    std::string readings;
    for (const CoefficientLine& line : c.lines) {
        readings += line.name + "\t10\n";
    }
    return MakePeriodBill(c, ParseReadings(readings), request);
}

std::string ErrorOf(const std::function<void()>& run) {
    try {
        run();
    } catch (const HistoryError& e) {
        return e.what();
    }
    return {};
}

TEST(HistoryStore, AnImportReadsItsSourceWithoutAChange) {
    TestFolder folder;
    const std::string source = folder.File("μεταφορά.sqlite");
    {
        BillingHistory history(folder.File("a/Billing.sqlite"));
        const BuildingKey key = BuildingKeyOf(folder.File("κτίριο.pyx"), Flats());
        history.Save(key, Bill({2026, 1, 1}, {2026, 1, 31}));
        history.ExportBuilding(*history.FindBuilding(key), source);
    }
    ::chmod(source.c_str(), 0444);
    const std::string before = ReadAll(source);
    BillingHistory target(folder.File("b/Billing.sqlite"));
    EXPECT_EQ(target.Import(source), 1);
    EXPECT_EQ(ReadAll(source), before);
    EXPECT_FALSE(fs::exists(source + "-wal"));
    EXPECT_FALSE(fs::exists(source + "-shm"));
    EXPECT_FALSE(fs::exists(source + "-journal"));

    // An export of the first schema is brought up to date in memory only.
    const std::string old = folder.File("παλιό.sqlite");
    {
        SqliteDatabase v1(old, true);
        v1.Exec(HistorySchemaSteps(HistoryDialect::Sqlite)[0]);
        v1.Exec("INSERT INTO building VALUES (1, '/x.pyx', 'Τ', '', '', '');"
                "INSERT INTO property VALUES (1, 1, 1, 'Α1');"
                "INSERT INTO period VALUES (1, 1, '2025-01-01', '2025-01-31', 1, 'hours', 100, "
                "1.0, '2025-02-01 09:00:00');"
                "INSERT INTO reading VALUES (1, 1, 0.1, 0.9, 1, 100, 150, 50, 0, 0, NULL, NULL, "
                "0, 100.0, 10, 90, 100);");
    }
    const std::string oldBytes = ReadAll(old);
    EXPECT_EQ(target.Import(old), 1);
    EXPECT_EQ(ReadAll(old), oldBytes);

    // Files that are no export are refused, and stay as they were.
    WriteAll(folder.File("empty.sqlite"), "");
    EXPECT_NE(ErrorOf([&] {
                  target.Import(folder.File("empty.sqlite"));
              }).find("δεν είναι εξαγωγή ιστορικού"),
              std::string::npos);
    EXPECT_EQ(fs::file_size(folder.File("empty.sqlite")), 0u);
    {
        SqliteDatabase other(folder.File("other.sqlite"), true);
        other.Exec("CREATE TABLE accounts (id INTEGER)");
    }
    EXPECT_NE(
        ErrorOf([&] { target.Import(folder.File("other.sqlite")); }).find("άλλου προγράμματος"),
        std::string::npos);
    {
        SqliteDatabase negative(folder.File("negative.sqlite"), true);
        negative.Exec("CREATE TABLE building (id INTEGER); PRAGMA user_version = -1;");
    }
    EXPECT_NE(
        ErrorOf([&] { target.Import(folder.File("negative.sqlite")); }).find("νεότερη έκδοση"),
        std::string::npos);
    WriteAll(folder.File("text.sqlite"), "not a database at all, only some words");
    EXPECT_NE(ErrorOf([&] { target.Import(folder.File("text.sqlite")); }), "");
    EXPECT_NE(ErrorOf([&] { target.Import(folder.Path().string()); }), "");
    EXPECT_EQ(target.Buildings().size(), 2u);
}

// Six programs that store the first bills of a new history at the same
// moment: every one is stored.
TEST(HistoryStore, SixFirstSavesAtOnceAllSucceed) {
    for (int round = 0; round < 8; ++round) {
        TestFolder folder;
        const std::string path = folder.File("PYXFiles/Billing.sqlite");
        int start[2];
        ASSERT_EQ(::pipe(start), 0);
        std::vector<pid_t> children;
        for (int month = 1; month <= 6; ++month) {
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                ::close(start[1]);
                char go = 0;
                (void)!::read(start[0], &go, 1); // all begin when the parent lets go
                int status = 0;
                try {
                    BillingHistory history(path);
                    history.Save(BuildingKeyOf(folder.File("κτίριο.pyx"), Flats()),
                                 Bill({2026, month, 1}, {2026, month, 28}));
                } catch (const std::exception& e) {
                    std::fprintf(stderr, "month %d: %s\n", month, e.what());
                    status = 1;
                }
                ::_exit(status);
            }
            children.push_back(child);
        }
        ::close(start[0]);
        ::close(start[1]);
        for (const pid_t child : children) {
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
        }
        BillingHistory history(path);
        const auto building =
            history.FindBuilding(BuildingKeyOf(folder.File("κτίριο.pyx"), Flats()));
        ASSERT_TRUE(building);
        EXPECT_EQ(history.Periods(*building, false).size(), 6u);
        EXPECT_EQ(history.Buildings().size(), 1u);
    }
}

// Where the buildings are found, on a desk's file and on a server alike.
using StoredBuildings = test::OnBothStores;
INSTANTIATE_ON_BOTH_STORES(StoredBuildings);

TEST_P(StoredBuildings, AMovedOrCopiedStudyKeepsItsHistory) {
    TestFolder& folder = stores.Folder();
    const auto opened = stores.Open();
    BillingHistory& history = *opened;
    const std::string first = folder.File("μελέτες/κτίριο.pyx");
    history.Save(BuildingKeyOf(first, Flats()), Bill({2026, 1, 1}, {2026, 1, 31}));

    // Moved (nothing stands at the old name): found, and followed.
    const std::string moved = folder.File("αρχείο/Κτίριο 2026.pyx");
    const auto found = history.FindBuilding(BuildingKeyOf(moved, Flats()));
    ASSERT_TRUE(found);
    history.Save(BuildingKeyOf(moved, Flats()), Bill({2026, 2, 1}, {2026, 2, 28}));
    EXPECT_EQ(history.Buildings().size(), 1u);
    EXPECT_EQ(history.Buildings()[0].second.studyPath, moved);
    EXPECT_EQ(history.Periods(*found, false).size(), 2u);

    // Other general data, or other properties, are another building.
    BillingCoefficients otherData = Flats();
    otherData.employer = "Άλλος";
    EXPECT_FALSE(history.FindBuilding(BuildingKeyOf(folder.File("x.pyx"), otherData)));
    EXPECT_FALSE(history.FindBuilding(BuildingKeyOf(folder.File("x.pyx"), Flats("Α1\tΒ1\tΓ2"))));

    // Two stored buildings that could both be meant: asked, never guessed.
    const std::string second = folder.File("δεύτερο.pyx");
    history.Save(BuildingKeyOf(second, Flats("Α1\tΒ1\tΓ2")), Bill({2026, 1, 1}, {2026, 1, 31}));
    history.Save(BuildingKeyOf(second, Flats()),
                 Bill({2026, 2, 1}, {2026, 2, 28}, Flats())); // now the same properties
    EXPECT_EQ(history.Buildings().size(), 2u);
    const std::string ambiguous =
        ErrorOf([&] { history.FindBuilding(BuildingKeyOf(folder.File("τρίτο.pyx"), Flats())); });
    EXPECT_NE(ambiguous.find(moved), std::string::npos) << ambiguous;
    EXPECT_NE(ambiguous.find(second), std::string::npos) << ambiguous;
    // At its own place each is itself.
    EXPECT_TRUE(history.FindBuilding(BuildingKeyOf(second, Flats())));
}

TEST_P(StoredBuildings, PeriodsThatOverlapAreRefused) {
    TestFolder& folder = stores.Folder();
    const auto opened = stores.Open();
    BillingHistory& history = *opened;
    const BuildingKey key = BuildingKeyOf(folder.File("κτίριο.pyx"), Flats());
    history.Save(key, Bill({2026, 10, 1}, {2027, 4, 30}));
    const struct {
        BillDate from, to;
        bool stored;
    } cases[] = {
        {{2026, 5, 1}, {2026, 12, 31}, false},  // ends inside
        {{2027, 4, 30}, {2027, 9, 30}, false},  // one day shared
        {{2026, 11, 1}, {2026, 11, 30}, false}, // inside
        {{2026, 1, 1}, {2027, 12, 31}, false},  // around
        {{2026, 10, 1}, {2027, 4, 30}, true},   // the same dates: a correction
        {{2027, 5, 1}, {2027, 9, 30}, true},    // the day after
        {{2026, 9, 1}, {2026, 9, 30}, true},    // the month before
    };
    for (const auto& c : cases) {
        const std::string error = ErrorOf([&] { history.Save(key, Bill(c.from, c.to)); });
        EXPECT_EQ(error.empty(), c.stored) << FormatBillDate(c.from) << error;
        if (!c.stored) {
            EXPECT_NE(error.find("01/10/2026 – 30/04/2027"), std::string::npos) << error;
        }
    }
    const auto periods = history.Periods(*history.FindBuilding(key), false);
    ASSERT_EQ(periods.size(), 4u);
    EXPECT_EQ(periods[2].version, 2);
}

} // namespace
} // namespace pyrostat
