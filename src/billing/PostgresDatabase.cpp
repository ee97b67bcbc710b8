#include "billing/PostgresDatabase.h"

#include <libpq-fe.h>

#include <charconv>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <vector>

namespace pyrostat {

namespace {

// The options of a connection text as libpq reads it, freed when left.
class ConnectionOptions {
public:
    explicit ConnectionOptions(const std::string& connection) {
        char* error = nullptr;
        options_ = PQconninfoParse(connection.c_str(), &error);
        if (error != nullptr) {
            fault_ = error;
            PQfreemem(error);
        } else if (options_ == nullptr) {
            fault_ = "out of memory";
        }
    }
    ~ConnectionOptions() { PQconninfoFree(options_); }
    ConnectionOptions(const ConnectionOptions&) = delete;
    ConnectionOptions& operator=(const ConnectionOptions&) = delete;

    bool Ok() const { return options_ != nullptr; }
    const std::string& Fault() const { return fault_; }
    std::string Value(const char* keyword) const {
        for (const PQconninfoOption* o = options_; o != nullptr && o->keyword != nullptr; ++o) {
            if (std::strcmp(o->keyword, keyword) == 0 && o->val != nullptr) {
                return o->val;
            }
        }
        return {};
    }

    // Whether a keyword other than these is given a value.
    bool SetOtherThan(std::initializer_list<const char*> keywords) const {
        for (const PQconninfoOption* o = options_; o != nullptr && o->keyword != nullptr; ++o) {
            bool listed = false;
            for (const char* k : keywords) {
                listed = listed || std::strcmp(o->keyword, k) == 0;
            }
            if (!listed && o->val != nullptr && o->val[0] != '\0') {
                return true;
            }
        }
        return false;
    }

private:
    PQconninfoOption* options_ = nullptr;
    std::string fault_;
};

std::string NameOf(const std::string& host, const std::string& port, const std::string& dbname) {
    std::string name = host.empty() ? std::string("localhost") : host;
    if (!port.empty()) {
        name += ":" + port;
    }
    if (!dbname.empty()) {
        name += "/" + dbname;
    }
    return name;
}

// `?` marks outside quotes become $1, $2, ... as the server counts them.
std::string Numbered(std::string_view sql, int& count) {
    std::string out;
    out.reserve(sql.size() + 16);
    char quote = 0;
    count = 0;
    for (const char ch : sql) {
        if (quote != 0) {
            if (ch == quote) {
                quote = 0;
            }
            out += ch;
        } else if (ch == '\'' || ch == '"') {
            quote = ch;
            out += ch;
        } else if (ch == '?') {
            out += '$' + std::to_string(++count);
        } else {
            out += ch;
        }
    }
    return out;
}

// A result let go when left, a throw included.
class PostgresResult {
public:
    explicit PostgresResult(PGresult* result) : result_(result) {}
    ~PostgresResult() { PQclear(result_); }
    PostgresResult(const PostgresResult&) = delete;
    PostgresResult& operator=(const PostgresResult&) = delete;
    PGresult* Get() const { return result_; }

private:
    PGresult* result_;
};

bool Succeeded(const PGresult* result) {
    const ExecStatusType status = PQresultStatus(result);
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

class PostgresStatement : public HistoryStatement {
public:
    PostgresStatement(PostgresDatabase& db, std::string_view sql) : db_(db) {
        int count = 0;
        sql_ = Numbered(sql, count);
        params_.resize(static_cast<size_t>(count));
    }
    ~PostgresStatement() override { PQclear(result_); }
    PostgresStatement(const PostgresStatement&) = delete;
    PostgresStatement& operator=(const PostgresStatement&) = delete;

    void Bind(int index, int64_t value) override { Param(index) = std::to_string(value); }
    void Bind(int index, double value) override {
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        Param(index) = std::string(buffer, end);
    }
    void Bind(int index, std::string_view text) override { Param(index) = std::string(text); }
    void BindNull(int index) override { Param(index).reset(); }

    bool Step() override {
        if (!ran_) {
            Run();
            ran_ = true;
            row_ = -1;
        }
        ++row_;
        return row_ < PQntuples(result_);
    }
    void Reset() override {
        PQclear(result_);
        result_ = nullptr;
        ran_ = false;
        for (auto& p : params_) {
            p.reset();
        }
    }
    int64_t Int(int column) const override {
        const char* text = Value(column);
        if (text[0] == 't' || text[0] == 'f') {
            return text[0] == 't' ? 1 : 0;
        }
        int64_t value = 0;
        std::from_chars(text, text + std::strlen(text), value);
        return value;
    }
    double Real(int column) const override {
        const char* text = Value(column);
        double value = 0;
        std::from_chars(text, text + std::strlen(text), value);
        return value;
    }
    std::string Text(int column) const override {
        return std::string(Value(column), static_cast<size_t>(PQgetlength(result_, row_, column)));
    }
    bool IsNull(int column) const override { return PQgetisnull(result_, row_, column) != 0; }

private:
    std::optional<std::string>& Param(int index) {
        return params_.at(static_cast<size_t>(index - 1));
    }
    const char* Value(int column) const { return PQgetvalue(result_, row_, column); }

    void Run() {
        std::vector<const char*> values;
        for (const auto& p : params_) {
            values.push_back(p ? p->c_str() : nullptr);
        }
        const int n = static_cast<int>(values.size());
        db_.BeforeStatement();
        PGconn* conn = db_.Connection();
        // A statement the connection has run before (a line of each
        // property, a bill of each period) runs as prepared on the server.
        const std::string prepared = db_.PreparedName(sql_, n);
        result_ =
            prepared.empty()
                ? PQexecParams(conn, sql_.c_str(), n, nullptr, values.data(), nullptr, nullptr, 0)
                : PQexecPrepared(conn, prepared.c_str(), n, values.data(), nullptr, nullptr, 0);
        if (!Succeeded(result_) && db_.MadeAgain(result_)) {
            // Lost between transactions and made again: sent once more, as
            // it stands (the server forgot what was prepared).
            PQclear(result_);
            result_ = PQexecParams(db_.ConnectionIfOk(), sql_.c_str(), n, nullptr, values.data(),
                                   nullptr, nullptr, 0);
        }
        const ExecStatusType status = PQresultStatus(result_);
        if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
            db_.FailWith(result_);
        }
    }

    PostgresDatabase& db_;
    std::string sql_;
    std::vector<std::optional<std::string>> params_;
    PGresult* result_ = nullptr;
    bool ran_ = false;
    int row_ = -1;
};

} // namespace

std::string PostgresServerName(const std::string& connection) {
    const ConnectionOptions options(connection);
    if (!options.Ok()) {
        return {};
    }
    const std::string host = options.Value("host");
    const std::string service = options.Value("service");
    if (host.empty() && !service.empty()) {
        return "υπηρεσία " + service;
    }
    return NameOf(host.empty() ? options.Value("hostaddr") : host, options.Value("port"),
                  options.Value("dbname"));
}

bool ConnectionHoldsPassword(const std::string& connection) {
    const ConnectionOptions options(connection);
    return options.Ok() && !options.Value("password").empty();
}

ServerFields FieldsOf(const std::string& connection) {
    const ConnectionOptions options(connection);
    if (!options.Ok()) {
        return {};
    }
    return {options.Value("host"), options.Value("port"), options.Value("dbname"),
            options.Value("user")};
}

bool ConnectionHasMoreThanFields(const std::string& connection) {
    const ConnectionOptions options(connection);
    return options.Ok() && options.SetOtherThan({"host", "port", "dbname", "user"});
}

std::string ConnectionText(const ServerFields& fields, const std::string& password) {
    std::string text;
    const std::pair<const char*, const std::string*> parts[] = {
        {"host", &fields.host}, {"port", &fields.port},  {"dbname", &fields.dbname},
        {"user", &fields.user}, {"password", &password},
    };
    for (const auto& [key, value] : parts) {
        if (value->empty()) {
            continue;
        }
        std::string quoted = "'";
        for (const char ch : *value) {
            if (ch == '\\' || ch == '\'') {
                quoted += '\\';
            }
            quoted += ch;
        }
        text += (text.empty() ? "" : " ") + std::string(key) + "=" + quoted + "'";
    }
    return text;
}

std::string ConnectionTextFault(const std::string& connection) {
    const ConnectionOptions options(connection);
    return options.Ok() ? std::string() : options.Fault();
}

PostgresDatabase::PostgresDatabase(const std::string& connection)
    : connection_(connection), server_(PostgresServerName(connection)) {
    if (const std::string fault = ConnectionTextFault(connection); !fault.empty()) {
        // libpq's words about the text may quote it: the text is not told.
        throw PostgresError("η σύνδεση με τον διακομιστή του ιστορικού δεν είναι γραμμένη όπως "
                            "τη δέχεται η PostgreSQL (ένα URI postgresql://... ή ζεύγη "
                            "κλειδί=τιμή)",
                            {}, false);
    }
    // Told, and a connection that was not made let go.
    try {
        Connect();
    } catch (...) {
        PQfinish(conn_);
        conn_ = nullptr;
        throw;
    }
}

PostgresDatabase::~PostgresDatabase() {
    PQfinish(conn_);
}

void PostgresDatabase::Connect() {
    // The text's own keys, with the program's name for the server's list of
    // connections and a wait of ten seconds when the text sets none.
    const char* keywords[] = {"fallback_application_name", "connect_timeout", "dbname", nullptr};
    const char* values[] = {"pyrostat", "10", connection_.c_str(), nullptr};
    PQfinish(conn_);
    conn_ = PQconnectdbParams(keywords, values, 1);
    if (conn_ == nullptr) {
        throw PostgresError("δεν υπάρχει αρκετή μνήμη", {}, true);
    }
    if (PQstatus(conn_) != CONNECTION_OK) {
        Fail();
    }
    if (const char* host = PQhost(conn_); host != nullptr) {
        server_ = NameOf(host, PQport(conn_) != nullptr ? PQport(conn_) : "",
                         PQdb(conn_) != nullptr ? PQdb(conn_) : "");
    }
    // The server's notices are not the user's business: not printed.
    PQsetNoticeProcessor(
        conn_, [](void*, const char*) {}, nullptr);
    if (!SetUpSession()) {
        Fail();
    }
}

bool PostgresDatabase::SetUpSession() {
    // Texts in UTF-8 whatever the server's own; numbers back as they went
    // in, every digit of a double.
    if (PQsetClientEncoding(conn_, "UTF8") != 0) {
        return false;
    }
    const PostgresResult digits(PQexec(conn_, "SET extra_float_digits = 3"));
    return PQresultStatus(digits.Get()) == PGRES_COMMAND_OK;
}

bool PostgresDatabase::Reconnect() {
    PQreset(conn_);
    ForgetPrepared();
    return PQstatus(conn_) == CONNECTION_OK && SetUpSession();
}

void PostgresDatabase::ForgetPrepared() {
    prepared_.clear();
    named_ = 0;
}

std::string PostgresDatabase::Where() const {
    return "του διακομιστή " + server_;
}

PGconn* PostgresDatabase::Connection() {
    if (PQstatus(conn_) != CONNECTION_OK) {
        if (inTransaction_) {
            Fail();
        }
        // Lost between transactions (a server restarted): made again.
        if (!Reconnect()) {
            Fail();
        }
    }
    return conn_;
}

std::string PostgresDatabase::PreparedName(const std::string& sql, int parameters) {
    if (prepared_.size() > 4 * kMostPrepared) {
        PQclear(PQexec(conn_, "DEALLOCATE ALL"));
        ForgetPrepared();
    }
    Prepared& p = prepared_[sql];
    if (!p.name.empty() || ++p.seen < 2) {
        return p.name;
    }
    // A bounded number kept: past it, the server lets all of them go.
    if (named_ >= kMostPrepared) {
        PQclear(PQexec(conn_, "DEALLOCATE ALL"));
        ForgetPrepared();
        return {};
    }
    const std::string name = "pyrostat_" + std::to_string(++named_);
    const PostgresResult made(PQprepare(conn_, name.c_str(), sql.c_str(), parameters, nullptr));
    if (PQresultStatus(made.Get()) != PGRES_COMMAND_OK) {
        FailWith(made.Get());
    }
    prepared_[sql].name = name;
    return name;
}

bool PostgresDatabase::Lost(const PGresult* failed) const {
    // Every failure the server tells has its SQLSTATE; one without it is
    // libpq's own: the server closed the connection, or never answered.
    return PQstatus(conn_) != CONNECTION_OK ||
           (failed != nullptr && PQresultErrorField(failed, PG_DIAG_SQLSTATE) == nullptr);
}

bool PostgresDatabase::MadeAgain(const PGresult* failed) {
    return !inTransaction_ && Lost(failed) && Reconnect();
}

PGconn* PostgresDatabase::ConnectionIfOk() const {
    return PQstatus(conn_) == CONNECTION_OK ? conn_ : nullptr;
}

void PostgresDatabase::BeforeStatement() {
    if (onStatement_) {
        onStatement_(sent_);
    }
    ++sent_;
}

void PostgresDatabase::FailWith(const PGresult* result) {
    const std::string text = result != nullptr && PQresultErrorMessage(result)[0] != '\0'
                                 ? PQresultErrorMessage(result)
                                 : PQerrorMessage(conn_);
    const char* state = result != nullptr ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const std::string code = state != nullptr ? state : "";
    const bool lost = Lost(result) || code.rfind("08", 0) == 0 || code == "57P01" ||
                      code == "57P02" || code == "57P03";
    const std::string server = "«" + server_ + "»";
    std::string reason;
    if (code == "28P01" || code == "28000" ||
        (code.empty() && (Contains(text, "password") || Contains(text, "authentication") ||
                          Contains(text, "κωδικ")))) {
        reason = "ο διακομιστής του ιστορικού " + server +
                 " δεν δέχτηκε τη σύνδεση του χρήστη (λάθος ή κανένας κωδικός: δείτε το αρχείο "
                 "κωδικών ~/.pgpass)";
    } else if (code == "3D000" || (code.empty() && Contains(text, "does not exist"))) {
        reason = "ο διακομιστής του ιστορικού " + server + " δεν έχει αυτή τη βάση δεδομένων";
    } else if (lost && inTransaction_) {
        reason = "η σύνδεση με τον διακομιστή του ιστορικού " + server +
                 " χάθηκε στη μέση της εργασίας (ο διακομιστής δεν κράτησε τίποτα από αυτήν)";
    } else if (lost) {
        reason = "ο διακομιστής του ιστορικού " + server +
                 " δεν απαντά (δεν λειτουργεί ή το δίκτυο δεν φτάνει ως αυτόν)";
    } else if (code.rfind("23", 0) == 0 || code == "P0001") {
        reason = "η αλλαγή δεν επιτρέπεται από τους κανόνες της βάσης";
    } else if (code == "42501") {
        reason = "ο χρήστης δεν έχει το δικαίωμα γι' αυτό στη βάση του διακομιστή " + server;
    } else if (code == "53100") {
        reason = "ο δίσκος του διακομιστή " + server + " είναι γεμάτος";
    } else if (code == "40001" || code == "40P01") {
        reason = "άλλος σταθμός άλλαζε την ίδια στιγμή τα ίδια: δοκιμάστε ξανά";
    } else {
        reason = "σφάλμα του διακομιστή του ιστορικού " + server +
                 (code.empty() ? std::string() : " (κωδικός " + code + ")");
    }
    if (lost) {
        inTransaction_ = false;
    }
    throw PostgresError(reason, text, lost);
}

void PostgresDatabase::Exec(std::string_view sql) {
    BeforeStatement();
    PGconn* conn = Connection();
    const std::string text(sql);
    PGresult* result = PQexec(conn, text.c_str());
    if (!Succeeded(result) && MadeAgain(result)) {
        PQclear(result);
        result = PQexec(conn_, text.c_str());
    }
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        const PostgresResult kept(result);
        FailWith(result);
    }
    PQclear(result);
}

Statement PostgresDatabase::Prepare(std::string_view sql) {
    return Statement(std::make_unique<PostgresStatement>(*this, sql));
}

void PostgresDatabase::Begin() {
    Exec("BEGIN ISOLATION LEVEL READ COMMITTED");
    inTransaction_ = true;
}

void PostgresDatabase::Commit() {
    BeforeStatement();
    PGconn* conn = Connection();
    PGresult* result = PQexec(conn, "COMMIT");
    const bool done = PQresultStatus(result) == PGRES_COMMAND_OK &&
                      std::strcmp(PQcmdStatus(result), "COMMIT") == 0;
    if (!done) {
        const PostgresResult kept(result);
        FailWith(result);
    }
    PQclear(result);
    inTransaction_ = false;
}

void PostgresDatabase::Rollback() noexcept {
    if (inTransaction_ && PQstatus(conn_) == CONNECTION_OK) {
        PQclear(PQexec(conn_, "ROLLBACK"));
    }
    inTransaction_ = false;
}

void PostgresDatabase::LockKey(std::string_view key) {
    Statement lock = Prepare("SELECT pg_advisory_xact_lock(hashtextextended(?, 0))");
    lock.Bind(1, key);
    lock.Step();
}

int PostgresDatabase::SchemaVersion() {
    Statement s = Prepare("SELECT to_regclass('history_schema') IS NOT NULL");
    if (!s.Step() || s.Int(0) == 0) {
        return 0;
    }
    return static_cast<int>(IntOf("SELECT max(version) FROM history_schema").value_or(0));
}

bool PostgresDatabase::HoldsTables() {
    return IntOf("SELECT count(*) FROM pg_tables WHERE schemaname = current_schema()")
               .value_or(0) != 0;
}

int PostgresDatabase::BackendPid() const {
    return PQbackendPID(conn_);
}

} // namespace pyrostat
