#include "billing/SqliteDatabase.h"

#include <sqlite3.h>

namespace pyrostat {

namespace {

[[noreturn]] void Fail(sqlite3* db, int code) {
    throw SqliteError(code, db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code));
}

} // namespace

std::string SqliteError::ReasonOf(int code) {
    switch (code & 0xFF) {
    case SQLITE_FULL:
        return "ο δίσκος είναι γεμάτος";
    case SQLITE_IOERR:
        return "σφάλμα ανάγνωσης ή εγγραφής του μέσου αποθήκευσης (ίσως ο δίσκος είναι γεμάτος)";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return "το αρχείο είναι κατεστραμμένο ή δεν είναι βάση δεδομένων";
    case SQLITE_READONLY:
        return "η βάση είναι μόνο για ανάγνωση";
    case SQLITE_CANTOPEN:
        return "το αρχείο δεν ανοίγει (φάκελος, σύνδεσμος ή δικαιώματα πρόσβασης)";
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return "δεν επιτρέπεται η πρόσβαση στη βάση";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "η βάση χρησιμοποιείται αυτή τη στιγμή από άλλο πρόγραμμα";
    case SQLITE_CONSTRAINT:
        return "η αλλαγή δεν επιτρέπεται από τους κανόνες της βάσης";
    case SQLITE_NOMEM:
        return "δεν υπάρχει αρκετή μνήμη";
    default:
        return "σφάλμα της βάσης δεδομένων (κωδικός SQLite " + std::to_string(code) + ")";
    }
}

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) : db_(db) {
    const int code =
        sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr);
    if (code != SQLITE_OK) {
        Fail(db, code);
    }
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(statement_);
}

void SqliteStatement::Bind(int index, int64_t value) {
    if (const int code = sqlite3_bind_int64(statement_, index, value); code != SQLITE_OK) {
        Fail(db_, code);
    }
}

void SqliteStatement::Bind(int index, double value) {
    if (const int code = sqlite3_bind_double(statement_, index, value); code != SQLITE_OK) {
        Fail(db_, code);
    }
}

void SqliteStatement::Bind(int index, std::string_view text) {
    if (const int code = sqlite3_bind_text(statement_, index, text.data(),
                                           static_cast<int>(text.size()), SQLITE_TRANSIENT);
        code != SQLITE_OK) {
        Fail(db_, code);
    }
}

void SqliteStatement::BindNull(int index) {
    if (const int code = sqlite3_bind_null(statement_, index); code != SQLITE_OK) {
        Fail(db_, code);
    }
}

bool SqliteStatement::Step() {
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW) {
        return true;
    }
    if (code == SQLITE_DONE) {
        return false;
    }
    Fail(db_, code);
}

void SqliteStatement::Reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

int64_t SqliteStatement::Int(int column) const {
    return sqlite3_column_int64(statement_, column);
}

double SqliteStatement::Real(int column) const {
    return sqlite3_column_double(statement_, column);
}

std::string SqliteStatement::Text(int column) const {
    const unsigned char* text = sqlite3_column_text(statement_, column);
    return text != nullptr
               ? std::string(reinterpret_cast<const char*>(text),
                             static_cast<size_t>(sqlite3_column_bytes(statement_, column)))
               : std::string();
}

bool SqliteStatement::IsNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

SqliteDatabase::SqliteDatabase(const std::string& path, bool create) : path_(path) {
    const int flags =
        SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOFOLLOW;
    const int code = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (code != SQLITE_OK) {
        const std::string text = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
        sqlite3_close(db_);
        db_ = nullptr;
        throw SqliteError(code, text);
    }
    sqlite3_busy_timeout(db_, 5000);
    sqlite3_extended_result_codes(db_, 0);
}

namespace {

// The file's name as an SQLite URI path: every byte that is not plainly safe
// written as %XX, so that '?', '#' and '%' in a folder's name stay its own.
std::string UriPath(const std::string& path) {
    static const char* hex = "0123456789ABCDEF";
    std::string out = "file:";
    for (const char ch : path) {
        const auto byte = static_cast<unsigned char>(ch);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
            (byte >= '0' && byte <= '9') || ch == '/' || ch == '.' || ch == '-' || ch == '_') {
            out += ch;
        } else {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 0x0F];
        }
    }
    return out + "?immutable=1";
}

} // namespace

SqliteDatabase::SqliteDatabase(InMemoryCopy, const std::string& path) : path_(path) {
    sqlite3* source = nullptr;
    const auto close = [&source] { sqlite3_close(source); };
    int code =
        sqlite3_open_v2(UriPath(path).c_str(), &source,
                        SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOFOLLOW, nullptr);
    if (code == SQLITE_OK) {
        code =
            sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    }
    if (code == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(db_, "main", source, "main");
        if (backup == nullptr) {
            code = sqlite3_errcode(db_);
        } else {
            sqlite3_backup_step(backup, -1);
            code = sqlite3_backup_finish(backup);
        }
    }
    if (code != SQLITE_OK) {
        const std::string text = sqlite3_errstr(code);
        close();
        sqlite3_close(db_);
        db_ = nullptr;
        throw SqliteError(code, text);
    }
    close();
    sqlite3_extended_result_codes(db_, 0);
}

SqliteDatabase::~SqliteDatabase() {
    sqlite3_close(db_);
}

void SqliteDatabase::Exec(std::string_view sql) {
    const std::string text(sql);
    char* error = nullptr;
    const int code = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &error);
    if (code != SQLITE_OK) {
        const std::string message = error != nullptr ? error : sqlite3_errstr(code);
        sqlite3_free(error);
        throw SqliteError(code, message);
    }
}

Statement SqliteDatabase::Prepare(std::string_view sql) {
    return Statement(std::make_unique<SqliteStatement>(db_, sql));
}

void SqliteDatabase::Begin() {
    Exec("BEGIN IMMEDIATE");
}

void SqliteDatabase::Commit() {
    Exec("COMMIT");
}

void SqliteDatabase::Rollback() noexcept {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

int SqliteDatabase::SchemaVersion() {
    return static_cast<int>(IntOf("PRAGMA user_version").value_or(0));
}

bool SqliteDatabase::HoldsTables() {
    return IntOf("SELECT count(*) FROM sqlite_master").value_or(0) != 0;
}

} // namespace pyrostat
