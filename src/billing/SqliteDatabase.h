#pragma once

#include "billing/HistoryDatabase.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace pyrostat {

// A failure of SQLite, with its own code and text; the reason in Greek: a
// full disk, a damaged file, another program holding the database, ...
class SqliteError : public DatabaseError {
public:
    SqliteError(int code, std::string text)
        : DatabaseError(ReasonOf(code), std::move(text)), code_(code) {}
    int Code() const { return code_; }

private:
    static std::string ReasonOf(int code);
    int code_;
};

class SqliteStatement : public HistoryStatement {
public:
    SqliteStatement(sqlite3* db, std::string_view sql);
    ~SqliteStatement() override;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    void Bind(int index, int64_t value) override;
    void Bind(int index, double value) override;
    void Bind(int index, std::string_view text) override;
    void BindNull(int index) override;
    bool Step() override;
    void Reset() override;
    int64_t Int(int column) const override;
    double Real(int column) const override;
    std::string Text(int column) const override;
    bool IsNull(int column) const override;

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

// The history of one desk: an SQLite file, written one program at a time.
class SqliteDatabase : public HistoryDatabase {
public:
    // Opens (creating when `create`) the database file; the file is not read
    // yet, so a damaged one shows at the first statement.
    SqliteDatabase(const std::string& path, bool create);
    // A copy in memory of the database file, which is opened read-only and
    // as unchanging: nothing is written to it, not even a journal beside it.
    struct InMemoryCopy {};
    SqliteDatabase(InMemoryCopy, const std::string& path);
    ~SqliteDatabase() override;
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    HistoryDialect Dialect() const override { return HistoryDialect::Sqlite; }
    std::string Where() const override { return path_; }
    void Exec(std::string_view sql) override;
    Statement Prepare(std::string_view sql) override;
    // BEGIN IMMEDIATE: the write lock is taken at once, so that what is read
    // in the transaction is what the write finds.
    void Begin() override;
    void Commit() override;
    void Rollback() noexcept override;
    // The whole file is locked by the transaction already.
    void LockKey(std::string_view) override {}
    int SchemaVersion() override;
    bool HoldsTables() override;

    sqlite3* Handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
    std::string path_;
};

} // namespace pyrostat
