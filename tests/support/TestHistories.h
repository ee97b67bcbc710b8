#pragma once

#include "billing/BillingHistory.h"
#include "billing/HistoryStore.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

namespace pyrostat::test {

// The two stores the history's tests run on alike.
enum class Store { File, Server };
std::string StoreName(const ::testing::TestParamInfo<Store>& info);
inline void PrintTo(Store store, std::ostream* os) {
    *os << (store == Store::File ? "file" : "server");
}

// The connection to the tests' own PostgreSQL server (PYROSTAT_TEST_POSTGRES,
// set by the test command that started it); empty when there is none.
std::string TestServerConnection();

// Histories of one test in one store, each its own: files in a temporary
// folder, or databases of their own on the tests' server, dropped at the end.
class TestHistories {
public:
    explicit TestHistories(Store store) : store_(store) {}
    ~TestHistories();
    TestHistories(const TestHistories&) = delete;
    TestHistories& operator=(const TestHistories&) = delete;

    // Why the store cannot be tested here (no server started); empty when
    // it can.
    std::string Missing() const;
    // Where the history `name` of this test is; made empty when new.
    HistoryStore Where(const std::string& name = "Billing");
    std::unique_ptr<BillingHistory> Open(const std::string& name = "Billing") {
        return OpenHistory(Where(name));
    }
    // The bare database of the history `name`, without a schema made.
    std::unique_ptr<HistoryDatabase> Raw(const std::string& name = "Billing");
    Store Kind() const { return store_; }
    TestFolder& Folder() { return folder_; }

private:
    Store store_;
    TestFolder folder_;
    std::set<std::string> databases_;
};

// A test of the history run on both stores alike, each with histories of
// its own; skipped with the reason where the store cannot be tested.
class OnBothStores : public ::testing::TestWithParam<Store> {
protected:
    void SetUp() override;
    TestHistories stores{GetParam()};
};

// Runs `sql` on the server's maintenance database; false when it failed.
bool OnTestServer(const std::string& sql);

} // namespace pyrostat::test

// The stores a suite of OnBothStores runs on.
#define INSTANTIATE_ON_BOTH_STORES(suite)                                                          \
    INSTANTIATE_TEST_SUITE_P(                                                                      \
        Stores, suite,                                                                             \
        ::testing::Values(pyrostat::test::Store::File, pyrostat::test::Store::Server),             \
        pyrostat::test::StoreName)

// At the head of a test of a store: skipped, with the reason, when the
// store cannot be tested here.
#define SKIP_WITHOUT(histories)                                                                    \
    do {                                                                                           \
        if (const std::string missing = (histories).Missing(); !missing.empty()) {                 \
            GTEST_SKIP() << missing;                                                               \
        }                                                                                          \
    } while (false)
