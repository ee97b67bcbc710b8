#include "support/TestHistories.h"

#include "billing/PostgresDatabase.h"
#include "billing/SqliteDatabase.h"

#include <libpq-fe.h>

#include <filesystem>

#include <cstdlib>
#include <unistd.h>

namespace pyrostat::test {

std::string StoreName(const ::testing::TestParamInfo<Store>& info) {
    return info.param == Store::File ? "File" : "Server";
}

std::string TestServerConnection() {
    const char* set = std::getenv("PYROSTAT_TEST_POSTGRES");
    return set != nullptr ? set : "";
}

bool OnTestServer(const std::string& sql) {
    PGconn* conn = PQconnectdb((TestServerConnection() + " dbname=postgres").c_str());
    bool ok = PQstatus(conn) == CONNECTION_OK;
    if (ok) {
        PQclear(PQexec(conn, "SET client_min_messages = warning"));
        PGresult* result = PQexec(conn, sql.c_str());
        ok =
            PQresultStatus(result) == PGRES_COMMAND_OK || PQresultStatus(result) == PGRES_TUPLES_OK;
        if (!ok) {
            ADD_FAILURE() << sql << ": " << PQresultErrorMessage(result);
        }
        PQclear(result);
    } else {
        ADD_FAILURE() << "the tests' server: " << PQerrorMessage(conn);
    }
    PQfinish(conn);
    return ok;
}

void OnBothStores::SetUp() {
    SKIP_WITHOUT(stores);
}

TestHistories::~TestHistories() {
    for (const std::string& db : databases_) {
        OnTestServer("DROP DATABASE IF EXISTS " + db + " WITH (FORCE)");
    }
}

std::string TestHistories::Missing() const {
    if (store_ == Store::Server && TestServerConnection().empty()) {
        return "Χωρίς διακομιστή PostgreSQL για τις δοκιμές (PYROSTAT_TEST_POSTGRES δεν "
               "ορίστηκε: η εντολή των δοκιμών τον ξεκινά όταν είναι εγκατεστημένος).";
    }
    return {};
}

HistoryStore TestHistories::Where(const std::string& name) {
    if (store_ == Store::File) {
        return HistoryStore::InFile(folder_.File("PYXFiles/" + name + ".sqlite"));
    }
    // Lower-case letters and digits: a name the server takes without quotes.
    std::string db = "pyrostat_t" + std::to_string(getpid()) + "_" +
                     std::to_string(reinterpret_cast<uintptr_t>(this) % 100000) + "_";
    for (const char ch : name) {
        db += (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a')
              : ((ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9')) ? ch
                                                                       : '_';
    }
    if (databases_.insert(db).second) {
        OnTestServer("DROP DATABASE IF EXISTS " + db + " WITH (FORCE)");
        OnTestServer("CREATE DATABASE " + db + " ENCODING 'UTF8' TEMPLATE template0");
    }
    HistoryStore store;
    store.connection = TestServerConnection() + " dbname=" + db;
    store.setIn = "PYROSTAT_TEST_POSTGRES";
    return store;
}

std::unique_ptr<HistoryDatabase> TestHistories::Raw(const std::string& name) {
    const HistoryStore where = Where(name);
    if (where.OnServer()) {
        return std::make_unique<PostgresDatabase>(where.connection);
    }
    std::filesystem::create_directories(std::filesystem::path(where.file).parent_path());
    return std::make_unique<SqliteDatabase>(where.file, true);
}

} // namespace pyrostat::test
