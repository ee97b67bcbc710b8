// The history on an office's server as several desks and a failing network
// meet it: two desks storing the same period at once, a connection cut at
// every moment of a save, a server that is not there or refuses the
// password.

#include "billing/BillingHistory.h"
#include "billing/HistoryStore.h"
#include "billing/PostgresDatabase.h"
#include "support/TestHistories.h"

#include <gtest/gtest.h>

#include <libpq-fe.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>

#include <sys/wait.h>
#include <unistd.h>

namespace pyrostat {
namespace {

BillingCoefficients Flats(int count) {
    std::string table;
    for (int i = 1; i <= count; ++i) {
        table += "Δ" + std::to_string(i) + "\t" + std::to_string(1.0 / count) + "\t0.2\n";
    }
    BillingCoefficients c = ParseCoefficientTable(table);
    c.title = "Πολυκατοικία του γραφείου";
    c.employer = "Ένωση Ιδιοκτητών";
    return c;
}

const BuildingKey kBuilding{
    "/γραφείο/μελέτες/κτίριο.pyx", "Πολυκατοικία του γραφείου", "Ένωση Ιδιοκτητών", "", "", {}};

PeriodBill Bill(int month, int count, int64_t cents = 123456) {
    BillRequest request;
    request.costCents = cents;
    request.from = BillDate{2020 + (month - 1) / 12, (month - 1) % 12 + 1, 1};
    request.to = BillDate{2020 + (month - 1) / 12, (month - 1) % 12 + 1, 28};
    std::string readings;
    for (int i = 1; i <= count; ++i) {
        readings +=
            "Δ" + std::to_string(i) + "\t" + std::to_string(10 + (i * 7 + month) % 13) + ",5\n";
    }
    return MakePeriodBill(Flats(count), ParseReadings(readings), request);
}

// Cuts a connection from another one, as a network or an administrator would.
void Terminate(int pid) {
    ASSERT_TRUE(test::OnTestServer("SELECT pg_terminate_backend(" + std::to_string(pid) + ")"));
}

// How many statements a save of a building there already sends, from the
// first to its COMMIT (the last): months 1 and 2 stored to count them.
int StatementsOfASave(BillingHistory& history, PostgresDatabase& connection, int properties) {
    history.Save(kBuilding, Bill(1, properties));
    int sent = 0;
    connection.OnEachStatement([&sent](int) { ++sent; });
    history.Save(kBuilding, Bill(2, properties));
    connection.OnEachStatement({});
    return sent;
}

class HistoryServer : public ::testing::Test {
protected:
    void SetUp() override { SKIP_WITHOUT(stores); }
    test::TestHistories stores{test::Store::Server};
};

TEST_F(HistoryServer, TwoDesksStoringTheSamePeriodGetVersionsOneAndTwo) {
    const HistoryStore where = stores.Where();
    OpenHistory(where); // the schema made before the desks start
    constexpr int kRounds = 50;
    for (int round = 1; round <= kRounds; ++round) {
        int ready[2], go[2];
        ASSERT_EQ(pipe(ready), 0);
        ASSERT_EQ(pipe(go), 0);
        pid_t desks[2];
        for (pid_t& desk : desks) {
            desk = fork();
            ASSERT_GE(desk, 0);
            if (desk == 0) {
                int status = 1;
                try {
                    const auto history = OpenHistory(where);
                    char byte = 0;
                    (void)!write(ready[1], "r", 1);
                    (void)!read(go[0], &byte, 1);
                    history->Save(kBuilding, Bill(round, 12));
                    status = 0;
                } catch (...) {
                    status = 3;
                }
                _exit(status);
            }
        }
        for (int i = 0; i < 2; ++i) {
            char byte = 0;
            ASSERT_EQ(read(ready[0], &byte, 1), 1);
        }
        ASSERT_EQ(write(go[1], "gg", 2), 2);
        for (const pid_t desk : desks) {
            int status = 0;
            waitpid(desk, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
        }
        for (const int fd : {ready[0], ready[1], go[0], go[1]}) {
            close(fd);
        }
    }
    const auto history = OpenHistory(where);
    const std::vector<StoredPeriod> periods = history->Periods(*history->FindBuilding(kBuilding));
    ASSERT_EQ(periods.size(), 2u * kRounds);
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        const StoredPeriod& first = periods[2 * static_cast<size_t>(round)];
        const StoredPeriod& second = periods[2 * static_cast<size_t>(round) + 1];
        EXPECT_EQ(first.from, second.from);
        EXPECT_EQ(first.version, 1);
        EXPECT_EQ(second.version, 2);
        EXPECT_EQ(second.lines.size(), 12u);
    }
    EXPECT_EQ(history->Buildings().size(), 1u) << "the building was added once";
}

TEST_F(HistoryServer, AConnectionCutAtAnyMomentOfASaveLeavesTheBillWholeOrAbsent) {
    const HistoryStore where = stores.Where();
    auto server = std::make_unique<PostgresDatabase>(where.connection);
    PostgresDatabase* connection = server.get();
    BillingHistory history(std::move(server));
    const int statements = StatementsOfASave(history, *connection, 30);
    ASSERT_GT(statements, 5);

    constexpr int kCuts = 50;
    int stored = 0, refused = 0;
    for (int cut = 0; cut < kCuts; ++cut) {
        const int at = cut % (statements + 1); // the last one: after the COMMIT
        const int month = cut + 3;
        int count = 0;
        connection->OnEachStatement([&](int) {
            if (count++ == at) {
                Terminate(connection->BackendPid());
            }
        });
        const PeriodBill bill = Bill(month, 30, 100000 + cut);
        bool saved = true;
        try {
            history.Save(kBuilding, bill);
        } catch (const HistoryError& e) {
            saved = false;
            EXPECT_NE(std::string(e.what()).find("ΔΕΝ αποθηκεύτηκε"), std::string::npos)
                << e.what();
            EXPECT_NE(std::string(e.what()).find("χάθηκε"), std::string::npos) << e.what();
        }
        connection->OnEachStatement({});
        // Read by another desk: the bill whole, or nothing of it.
        const auto other = OpenHistory(where);
        std::optional<StoredPeriod> found;
        for (const StoredPeriod& p : other->Periods(*other->FindBuilding(kBuilding))) {
            if (p.from == *bill.request.from) {
                found = p;
            }
        }
        EXPECT_EQ(saved, found.has_value()) << "cut before statement " << at;
        // Cut before its first statement, the save makes the connection
        // again and goes through; cut after its COMMIT, it was done; cut
        // anywhere between, nothing of it is kept.
        EXPECT_EQ(saved, at == 0 || at == statements) << "cut before statement " << at;
        if (found) {
            ++stored;
            EXPECT_EQ(found->costCents, 100000 + cut);
            ASSERT_EQ(found->lines.size(), bill.lines.size());
            int64_t sum = 0;
            for (size_t i = 0; i < bill.lines.size(); ++i) {
                EXPECT_EQ(found->lines[i].amountCents, bill.lines[i].amountCents);
                sum += found->lines[i].amountCents;
            }
            EXPECT_EQ(sum, 100000 + cut);
        } else {
            ++refused;
        }
        // The connection is made again for the next save, as after a
        // server's restart.
    }
    EXPECT_GT(refused, 40);
    EXPECT_GE(stored, 2);
    // The next save after a cut goes through on a connection made again.
    EXPECT_NO_THROW(history.Save(kBuilding, Bill(200, 30)));
}

TEST_F(HistoryServer, AServerAbsentOrAPasswordRefusedIsToldByNameNeverThePassword) {
    // No server at that socket.
    HistoryStore absent;
    absent.connection = "host=/nonexistent/pyrostat-socket port=5999 dbname=office user=desk";
    try {
        OpenHistory(absent);
        ADD_FAILURE() << "opened a server that is not there";
    } catch (const HistoryError& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("/nonexistent/pyrostat-socket:5999/office"), std::string::npos) << text;
        EXPECT_NE(text.find("δεν απαντά"), std::string::npos) << text;
    }
    // The tests' server with the desk's password wrong.
    HistoryStore wrong;
    wrong.connection = test::TestServerConnection() + " user=desk password=wrong-secret-42";
    try {
        OpenHistory(wrong);
        ADD_FAILURE() << "a wrong password was taken";
    } catch (const HistoryError& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("δεν δέχτηκε"), std::string::npos) << text;
        EXPECT_NE(text.find(".pgpass"), std::string::npos) << text;
        EXPECT_EQ(text.find("wrong-secret-42"), std::string::npos) << text;
    }
    EXPECT_EQ(wrong.Describe().find("wrong-secret-42"), std::string::npos);
}

TEST_F(HistoryServer, AStoredBillIsKeptOnTheServerToo) {
    const auto history = stores.Open();
    history->Save(kBuilding, Bill(1, 5));
    HistoryDatabase& db = history->Database();
    for (const char* change :
         {"UPDATE period SET cost_cents = 1", "DELETE FROM reading", "TRUNCATE reading CASCADE",
          "TRUNCATE period CASCADE", "UPDATE reading SET amount_cents = 0"}) {
        EXPECT_THROW(db.Exec(change), DatabaseError) << change;
    }
    EXPECT_EQ(history->Periods(*history->FindBuilding(kBuilding))[0].costCents, 123456);
}

// A server of the test's own, in a folder of its own: restarted without
// cutting the other tests' server.
class OwnServer {
public:
    OwnServer() {
        char name[] = "/tmp/pyrostat-restart.XXXXXX";
        if (mkdtemp(name) != nullptr) {
            folder_ = name;
        }
        const std::string output = Run("start");
        if (!output.empty() && output.back() == '\n') {
            connection_ = output.substr(0, output.size() - 1) + " dbname=postgres";
        }
    }
    ~OwnServer() { Run("stop"); }
    OwnServer(const OwnServer&) = delete;
    OwnServer& operator=(const OwnServer&) = delete;
    const std::string& Connection() const { return connection_; }
    // Stopped at once, as by a crash or a power cut, and started again.
    bool Restart() { return Run("restart", true) == "ok"; }

private:
    std::string Run(const std::string& command, bool statusOnly = false) {
        const std::string line = "PYROSTAT_PG_PORT=54371 bash '" PYROSTAT_TESTS_DIR
                                 "/../scripts/test-postgres.sh' " +
                                 command + " '" + folder_ + "' 2>/dev/null";
        FILE* pipe = popen(line.c_str(), "r");
        if (pipe == nullptr) {
            return {};
        }
        std::string output;
        char buffer[512];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
            output += buffer;
        }
        const int status = pclose(pipe);
        if (statusOnly) {
            return status == 0 ? "ok" : "failed";
        }
        return status == 0 ? output : std::string();
    }
    std::string folder_;
    std::string connection_;
};

TEST_F(HistoryServer, AServerRestartedInTheMiddleOfASaveKeepsNothingOfItAndIsReachedAgain) {
    OwnServer own;
    ASSERT_FALSE(own.Connection().empty()) << "the test's own server did not start";
    auto server = std::make_unique<PostgresDatabase>(own.Connection());
    PostgresDatabase* connection = server.get();
    BillingHistory history(std::move(server));
    const int statements = StatementsOfASave(history, *connection, 12);
    ASSERT_GT(statements, 3);

    // Restarted between two saves: the next one makes the connection again.
    ASSERT_TRUE(own.Restart());
    connection->OnEachStatement({});
    EXPECT_NO_THROW(history.Save(kBuilding, Bill(3, 12)));

    constexpr int kRestarts = 8;
    for (int round = 0; round < kRestarts; ++round) {
        const int at = 1 + round % (statements - 1); // after BEGIN, up to the COMMIT
        const int month = 10 + round;
        int count = 0;
        bool restarted = false;
        connection->OnEachStatement([&](int) {
            if (count++ == at) {
                restarted = own.Restart();
            }
        });
        try {
            history.Save(kBuilding, Bill(month, 12));
            ADD_FAILURE() << "stored across a restart before statement " << at;
        } catch (const HistoryError& e) {
            EXPECT_NE(std::string(e.what()).find("χάθηκε"), std::string::npos) << e.what();
        }
        connection->OnEachStatement({});
        ASSERT_TRUE(restarted);
        // Nothing of it on the server; the same save goes through now.
        const auto other = OpenHistory([&] {
            HistoryStore store;
            store.connection = own.Connection();
            return store;
        }());
        for (const StoredPeriod& p : other->Periods(*other->FindBuilding(kBuilding), false)) {
            EXPECT_FALSE(p.from == *Bill(month, 12).request.from) << "cut before " << at;
        }
        const StoredPeriod stored = history.Save(kBuilding, Bill(month, 12));
        EXPECT_EQ(stored.version, 1);
        EXPECT_EQ(other->Period(stored.id)->lines.size(), 12u);
    }
}

} // namespace
} // namespace pyrostat
