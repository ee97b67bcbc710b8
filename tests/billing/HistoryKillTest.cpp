// A save of a bill killed at any moment must leave the history database
// whole: SQLite's own promise, held to here. A child process stores bills one
// after another and is killed (SIGKILL) at 200 different moments; after each
// kill the database passes its integrity check and every stored bill has all
// its lines.

#include "billing/BillingHistory.h"
#include "billing/SqliteDatabase.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace pyrostat {
namespace {

constexpr int kProperties = 200;

BillingCoefficients Building() {
    std::string table;
    for (int i = 1; i <= kProperties; ++i) {
        table += "Διαμέρισμα " + std::to_string(i) + "\t0.005\t0.3\n";
    }
    return ParseCoefficientTable(table);
}

// Writes a byte to `ready` after each bill it stores.
[[noreturn]] void SaveForever(const std::string& path, int seed, int ready) {
    try {
        const BillingCoefficients coefficients = Building();
        BillingHistory history(path);
        const BuildingKey key{"/μελέτες/δοκιμή.pyx", "Δοκιμή", "", "", "", {}};
        for (int n = 0;; ++n) {
            std::string readings;
            for (int i = 1; i <= kProperties; ++i) {
                readings +=
                    std::to_string(i) + "\t" + std::to_string((i * 7 + n + seed) % 500) + "\n";
            }
            BillRequest request;
            request.costCents = 100000 + n;
            request.from = BillDate{2000 + n % 50, 1 + n % 12, 1};
            request.to = BillDate{2000 + n % 50, 1 + n % 12, 28};
            history.Save(key, MakePeriodBill(coefficients, ParseReadings(readings), request));
            const char stored = 1;
            if (write(ready, &stored, 1) != 1) {
                _exit(4);
            }
        }
    } catch (...) {
        _exit(3);
    }
}

TEST(HistoryKill, AKillAtAnyMomentOfASaveLeavesTheDatabaseWhole) {
    test::TestFolder folder;
    const std::string path = folder.File("Billing.sqlite");
    std::mt19937 random(2026);
    int whole = 0;
    int64_t stored = 0;
    for (int kill = 0; kill < 200; ++kill) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(ready[0]);
            SaveForever(path, kill, ready[1]);
        }
        close(ready[1]);
        // The first kills fall while the database is being made; the rest
        // after the child has stored a bill, so that they fall in the next
        // one's writing however slow the machine (or the sanitizers) are.
        if (kill >= 10) {
            char stored = 0;
            ASSERT_EQ(read(ready[0], &stored, 1), 1) << "the child stored nothing";
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 30000));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        close(ready[0]);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself: " << status;

        if (!std::filesystem::exists(path)) {
            ++whole; // killed before it made the file: nothing to be damaged
            continue;
        }
        SqliteDatabase db(path, false);
        Statement check = db.Prepare("PRAGMA integrity_check");
        ASSERT_TRUE(check.Step());
        const std::string verdict = check.Text(0);
        // A kill before the schema was whole leaves an older version (or an
        // empty file), whole too; the next start goes on from it.
        const bool current =
            db.IntOf("PRAGMA user_version").value_or(0) == BillingHistory::kSchemaVersion;
        const auto partial =
            current ? db.IntOf("SELECT count(*) FROM period WHERE line_count != (SELECT count(*) "
                               "FROM reading WHERE reading.period_id = period.id)")
                    : std::optional<int64_t>(0);
        const auto periods =
            current ? db.IntOf("SELECT count(*) FROM period") : std::optional<int64_t>(0);
        if (verdict == "ok" && partial.value_or(-1) == 0) {
            ++whole;
        } else {
            ADD_FAILURE() << "kill " << kill << ": " << verdict << ", partial bills "
                          << partial.value_or(-1);
        }
        stored = periods.value_or(0);
    }
    EXPECT_EQ(whole, 200);
    // The kills fell while bills were being written, not before the first.
    EXPECT_GE(stored, 190);
}

} // namespace
} // namespace pyrostat
