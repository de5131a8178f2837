// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/Value.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace kvz {

// A database failure, with what caused it as far as callers can do something about it.
class DbError : public std::runtime_error {
  public:
    enum class Cause {
        Other,
        NotADatabase, // the file is not a database or the password does not open it
        DiskFull,     // the disk has no room for a write
        NotWritable,  // the file or its folder may not be written, or the file cannot be opened
    };
    DbError(const std::string& what, Cause cause = Cause::Other)
        : std::runtime_error(what), cause_(cause) {}
    Cause cause() const { return cause_; }
    bool notADatabase() const { return cause_ == Cause::NotADatabase; }

  private:
    Cause cause_;
};

// `name` as an SQL identifier, quotes doubled: for names read from a file.
std::string quotedName(const std::string& name);

// The password that protects Baza.mdb.
inline constexpr const char* kDatabasePassword = "vrba";

class Statement;

// One open, keyed SQLCipher connection (the game's `Conn`).
class Connection {
  public:
    enum class Mode { OpenExisting, Create };

    // Opens `path` with `password` and proves the key by reading the schema; throws
    // DbError (notADatabase) when the file is not a database or the password is wrong.
    // A new file gets this program's encryption settings; files written with the
    // library's defaults open too.
    Connection(const std::string& path, const std::string& password,
               Mode mode = Mode::OpenExisting);
    ~Connection();
    Connection(const Connection&) = delete;

    // A copy of the whole database in memory, unencrypted: played on like the file, it
    // leaves the file as it was. Row numbers are kept.
    static std::unique_ptr<Connection> inMemoryCopy(const Connection& from);

    Connection& operator=(const Connection&) = delete;

    // A statement for `sql`. Statements are kept for reuse: the same text prepared again
    // gets the kept one back, reset, unless it is still in use.
    // Writes go through a rollback journal, synced at every commit. For connections that
    // write, once the file is known to be fit for it.
    void useRollbackJournal() const;

    Statement prepare(const std::string& sql) const;
    void exec(const std::string& sql) const;
    bool tableExists(const std::string& name) const;
    std::int64_t lastInsertRowid() const;

    const std::string& path() const { return path_; }
    // The SQLite handle, for the calls this wrapper does not make (hooks in tests).
    sqlite3* handle() const { return db_; }

    [[noreturn]] void fail(const std::string& context) const;

  private:
    Connection(); // an empty database in memory

    // Opens and keys the file, with the encryption settings `format` (SQL) or, when it is
    // null, the library's defaults.
    void open(int flags, const std::string& password, const char* format);

    struct Kept {
        sqlite3_stmt* stmt;
        bool inUse;
    };

    sqlite3* db_ = nullptr;
    std::string path_;
    mutable std::unordered_map<std::string, Kept> kept_;
};

// A prepared statement; every value goes in as a bound parameter. One the connection keeps
// (`inUse` points at its flag) is reset when this handle goes, the others are finalized.
class Statement {
  public:
    Statement(sqlite3_stmt* stmt, const Connection& conn, bool* inUse = nullptr)
        : stmt_(stmt), conn_(&conn), inUse_(inUse) {}
    ~Statement();
    Statement(Statement&& other) noexcept
        : stmt_(other.stmt_), conn_(other.conn_), inUse_(other.inUse_) {
        other.stmt_ = nullptr;
        other.inUse_ = nullptr;
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement& operator=(Statement&&) = delete;

    Statement& bind(int index, const Value& v); // 1-based
    // Runs one step: true while a row is available.
    bool step();
    // Runs a statement that returns no rows.
    void run();
    void reset();

    int columnCount() const;
    std::string columnName(int i) const;
    Value column(int i) const;
    std::vector<Value> row() const;

  private:
    sqlite3_stmt* stmt_;
    const Connection* conn_;
    bool* inUse_;
};

// A transaction that rolls back unless committed. A write transaction takes the file for
// writing at once, and its commit raises the file's write count, kept in the user version of
// page 1's header: a journal a crash leaves holds page 1 as it was, so its count tells
// whether the journal can be this file's own. (SQLite's own change counter cannot tell:
// SQLCipher derives it from the encrypted bytes, different at every write.) A read
// transaction sees the database as it was at its first read, every later read included,
// whatever other connections commit meanwhile.
class Transaction {
  public:
    enum class Kind { Write, Read };
    explicit Transaction(const Connection& conn, Kind kind = Kind::Write);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

  private:
    const Connection& conn_;
    Kind kind_;
    bool done_ = false;
};

} // namespace kvz
