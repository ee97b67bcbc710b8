#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace pyrostat {

// A thin owner of an SQLite connection and its statements. Every failure is
// a SqliteError with SQLite's own code and text; what() tells it in Greek, so
// that one that reaches a message box or the command line is read there.
class SqliteError : public std::exception {
public:
    SqliteError(int code, std::string text)
        : code_(code), text_(std::move(text)), reason_(ReasonOf(code_)) {}
    const char* what() const noexcept override { return reason_.c_str(); }
    int Code() const { return code_; }
    // SQLite's own words, for whoever looks into the database.
    const std::string& Text() const { return text_; }
    // What went wrong, in Greek, for the user: a full disk, a damaged file,
    // another program holding the database, ...
    const std::string& Reason() const { return reason_; }

private:
    static std::string ReasonOf(int code);
    int code_;
    std::string text_;
    std::string reason_;
};

class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Parameters from 1, as SQLite counts them.
    SqliteStatement& Bind(int index, int64_t value);
    SqliteStatement& Bind(int index, double value);
    SqliteStatement& Bind(int index, std::string_view text);
    SqliteStatement& BindNull(int index);
    // True while a row is there to read.
    bool Step();
    void Reset();

    int64_t Int(int column) const;
    double Real(int column) const;
    std::string Text(int column) const;
    bool IsNull(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

class SqliteDatabase {
public:
    // Opens (creating when `create`) the database file; the file is not read
    // yet, so a damaged one shows at the first statement.
    SqliteDatabase(const std::string& path, bool create);
    // A copy in memory of the database file, which is opened read-only and
    // as unchanging: nothing is written to it, not even a journal beside it.
    struct InMemoryCopy {};
    SqliteDatabase(InMemoryCopy, const std::string& path);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    void Exec(std::string_view sql);
    SqliteStatement Prepare(std::string_view sql) { return SqliteStatement(db_, sql); }
    int64_t LastInsertId() const;
    // The first column of the first row, when there is one.
    std::optional<int64_t> IntOf(std::string_view sql);
    sqlite3* Handle() const { return db_; }

    // BEGIN IMMEDIATE ... COMMIT, rolled back when left by an exception.
    class Transaction {
    public:
        explicit Transaction(SqliteDatabase& db);
        ~Transaction();
        void Commit();

    private:
        SqliteDatabase& db_;
        bool done_ = false;
    };

private:
    sqlite3* db_ = nullptr;
};

} // namespace pyrostat
