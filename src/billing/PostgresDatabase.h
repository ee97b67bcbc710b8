#pragma once

#include "billing/HistoryDatabase.h"

#include <functional>
#include <map>
#include <string>

typedef struct pg_conn PGconn;
typedef struct pg_result PGresult;

namespace pyrostat {

// A failure of the server, told in Greek with the server's name (never a
// password); the server's own words kept apart.
class PostgresError : public DatabaseError {
public:
    PostgresError(std::string reason, std::string text, bool connectionLost)
        : DatabaseError(std::move(reason), std::move(text)), connectionLost_(connectionLost) {}
    bool ConnectionLost() const override { return connectionLost_; }

private:
    bool connectionLost_;
};

// The server of a connection as the user knows it: «host:port/database» (a
// local socket's folder in place of the host, a service file's service by
// its name). Never the password; empty when the text is no connection.
std::string PostgresServerName(const std::string& connection);
// Whether the connection text carries a password in it (which belongs in
// the password file instead). False for a text that is no connection.
bool ConnectionHoldsPassword(const std::string& connection);
// libpq's reading of the text: empty when it is a connection (a URI
// "postgresql://..." or "key=value" pairs), else what is wrong with it.
std::string ConnectionTextFault(const std::string& connection);

// The parts of a connection the settings window shows and writes: the
// server, its port, the database and the user (a password never).
struct ServerFields {
    std::string host, port, dbname, user;
    bool operator==(const ServerFields&) const = default;
};
ServerFields FieldsOf(const std::string& connection);
// Whether the text sets more than those fields (a service, SSL, a timeout).
bool ConnectionHasMoreThanFields(const std::string& connection);
// The key=value text of the fields, the empty ones left out, each value
// quoted as libpq reads it back; with a password only for a connection
// made at once (a trial), never for one kept.
std::string ConnectionText(const ServerFields& fields, const std::string& password = {});

// The history of an office: a PostgreSQL server that several desks share.
// Every statement runs on the connection made by the constructor; a
// connection lost between transactions (the server restarted) is made again
// at the next one, one lost inside a transaction fails it, and the server
// keeps nothing of it.
class PostgresDatabase : public HistoryDatabase {
public:
    // Connects; throws PostgresError naming the server when it is not
    // reachable, refuses the password or the database is not there.
    explicit PostgresDatabase(const std::string& connection);
    ~PostgresDatabase() override;
    PostgresDatabase(const PostgresDatabase&) = delete;
    PostgresDatabase& operator=(const PostgresDatabase&) = delete;

    HistoryDialect Dialect() const override { return HistoryDialect::Postgres; }
    std::string Where() const override;
    void Exec(std::string_view sql) override;
    Statement Prepare(std::string_view sql) override;
    void Begin() override;
    void Commit() override;
    void Rollback() noexcept override;
    // An advisory lock of the transaction on the key's hash.
    void LockKey(std::string_view key) override;
    int SchemaVersion() override;
    bool HoldsTables() override;

    // The server process that serves this connection.
    int BackendPid() const;
    // Called before each statement sent, with how many were sent before it:
    // how the tests cut a connection at a chosen moment of a save.
    void OnEachStatement(std::function<void(int sent)> call) { onStatement_ = std::move(call); }

    // For the statements: the connection, made again when lost between
    // transactions, and the failure of a result told in Greek.
    PGconn* Connection();
    // After a statement failed outside a transaction because the connection
    // was lost (a server restarted): the connection made again, true when
    // it was, so that the statement is sent once more.
    bool MadeAgain(const PGresult* failed);
    // Whether the connection is gone, by its state or by how a statement
    // failed.
    bool Lost(const PGresult* failed) const;
    // The connection when it is there, else null.
    PGconn* ConnectionIfOk() const;
    // The failure of the connection, or of a statement's result.
    [[noreturn]] void Fail() { FailWith(nullptr); }
    [[noreturn]] void FailWith(const PGresult* result);
    void BeforeStatement();
    // The name of `sql` prepared on this connection when it runs there for
    // the second time or later; empty when it is to be sent as it stands.
    std::string PreparedName(const std::string& sql, int parameters);

private:
    void Connect();
    // The session as the history reads it; false when the server refused.
    bool SetUpSession();
    // The connection made again, knowing nothing prepared before; false
    // when the server is still not there.
    bool Reconnect();
    void ForgetPrepared();
    std::string connection_;
    std::string server_;
    PGconn* conn_ = nullptr;
    bool inTransaction_ = false;
    int sent_ = 0;
    struct Prepared {
        int seen = 0;
        std::string name;
    };
    static constexpr int kMostPrepared = 200;
    std::map<std::string, Prepared> prepared_;
    int named_ = 0;
    std::function<void(int)> onStatement_;
};

} // namespace pyrostat
