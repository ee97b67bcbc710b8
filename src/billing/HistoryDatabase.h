#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace pyrostat {

// A failure of the database the history lives in, whichever it is. what()
// tells it in Greek, so that one that reaches a message box or the command
// line is read there; Text() keeps the database's own words.
class DatabaseError : public std::exception {
public:
    DatabaseError(std::string reason, std::string text)
        : reason_(std::move(reason)), text_(std::move(text)) {}
    const char* what() const noexcept override { return reason_.c_str(); }
    // What went wrong, in Greek, for the user.
    const std::string& Reason() const { return reason_; }
    // The database's own words, for whoever looks into it.
    const std::string& Text() const { return text_; }
    // The connection to a server was lost or never made: nothing of the
    // transaction was kept, and a later try may succeed.
    virtual bool ConnectionLost() const { return false; }

private:
    std::string reason_;
    std::string text_;
};

// One statement of a database, its parameters marked `?` and counted from 1.
class HistoryStatement {
public:
    virtual ~HistoryStatement() = default;
    virtual void Bind(int index, int64_t value) = 0;
    virtual void Bind(int index, double value) = 0;
    virtual void Bind(int index, std::string_view text) = 0;
    virtual void BindNull(int index) = 0;
    // True while a row is there to read.
    virtual bool Step() = 0;
    // Ready to run again, its parameters cleared.
    virtual void Reset() = 0;
    virtual int64_t Int(int column) const = 0;
    virtual double Real(int column) const = 0;
    virtual std::string Text(int column) const = 0;
    virtual bool IsNull(int column) const = 0;
};

// A statement as the history's routines hold it: binds chain.
class Statement {
public:
    explicit Statement(std::unique_ptr<HistoryStatement> statement)
        : statement_(std::move(statement)) {}

    Statement& Bind(int index, int64_t value) {
        statement_->Bind(index, value);
        return *this;
    }
    Statement& Bind(int index, double value) {
        statement_->Bind(index, value);
        return *this;
    }
    Statement& Bind(int index, std::string_view text) {
        statement_->Bind(index, text);
        return *this;
    }
    Statement& Bind(int index, const char* text) { return Bind(index, std::string_view(text)); }
    Statement& Bind(int index, const std::string& text) {
        return Bind(index, std::string_view(text));
    }
    Statement& BindNull(int index) {
        statement_->BindNull(index);
        return *this;
    }
    bool Step() { return statement_->Step(); }
    void Reset() { statement_->Reset(); }
    int64_t Int(int column) const { return statement_->Int(column); }
    double Real(int column) const { return statement_->Real(column); }
    std::string Text(int column) const { return statement_->Text(column); }
    bool IsNull(int column) const { return statement_->IsNull(column); }

private:
    std::unique_ptr<HistoryStatement> statement_;
};

// The two kinds of store the history lives in; where their SQL differs (the
// schema, the ways of locking), the history asks which one it has.
enum class HistoryDialect { Sqlite, Postgres };

// The database of the history: an SQLite file of one desk, or a PostgreSQL
// server that several desks share.
class HistoryDatabase {
public:
    virtual ~HistoryDatabase() = default;
    virtual HistoryDialect Dialect() const = 0;
    // Where it is, for messages: the file's path, or the server and its
    // database (never a password).
    virtual std::string Where() const = 0;
    // One or more statements without parameters.
    virtual void Exec(std::string_view sql) = 0;
    virtual Statement Prepare(std::string_view sql) = 0;
    // A transaction that writes: others that write wait until it ends.
    virtual void Begin() = 0;
    virtual void Commit() = 0;
    virtual void Rollback() noexcept = 0;
    // Inside a transaction: another desk that takes the same key waits
    // until this transaction ends.
    virtual void LockKey(std::string_view key) = 0;
    // The history's schema version, 0 for a database without one.
    virtual int SchemaVersion() = 0;
    // Whether it holds tables of its own: a database with tables and no
    // version belongs to another program.
    virtual bool HoldsTables() = 0;

    // The first column of the first row, when there is one.
    std::optional<int64_t> IntOf(std::string_view sql) {
        Statement s = Prepare(sql);
        if (s.Step() && !s.IsNull(0)) {
            return s.Int(0);
        }
        return std::nullopt;
    }

    // Begun when made, rolled back when left without Commit().
    class Transaction {
    public:
        explicit Transaction(HistoryDatabase& db) : db_(db) { db_.Begin(); }
        ~Transaction() {
            if (!done_) {
                db_.Rollback();
            }
        }
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void Commit() {
            db_.Commit();
            done_ = true;
        }

    private:
        HistoryDatabase& db_;
        bool done_ = false;
    };
};

} // namespace pyrostat
