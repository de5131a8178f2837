// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Database.h"

#include <sqlcipher/sqlite3.h>

namespace kvz {

namespace {

// The encryption settings of the files this program writes: 4 KiB pages and 1,000 rounds of
// key derivation. The password is the program's own, no secret from anyone who has the
// program, so the library's default 64,000 rounds bought no protection, only 40 ms at every
// start; and a page costs about as much to decrypt whatever its size, so larger pages read
// a large bank several times faster. Files written with the library's defaults (1 KiB
// pages, 64,000 rounds), as earlier versions wrote them, still open.
constexpr const char* kFileFormat = "PRAGMA cipher_page_size = 4096; PRAGMA kdf_iter = 1000;";

// How long a statement waits for a lock another connection holds. While the writer thread
// commits, readers are locked out until the file is flushed, which on a slow disk or memory
// stick can take seconds: a question read then must wait, not fail.
constexpr int kLockWaitMs = 10'000;

// Statements a connection keeps for reuse: the game uses a dozen or so texts, over and over.
constexpr std::size_t kKeptStatements = 64;

// Copies the rows of `table`, row numbers included.
void copyRows(const Connection& from, const Connection& to, const std::string& table) {
    auto rows = from.prepare("SELECT rowid, * FROM " + quotedName(table));
    std::string columns = "rowid", marks = "?";
    for (int i = 1; i < rows.columnCount(); ++i) {
        columns += ", " + quotedName(rows.columnName(i));
        marks += ", ?";
    }
    auto insert = to.prepare("INSERT INTO " + quotedName(table) + " (" + columns + ") VALUES (" +
                             marks + ")");
    while (rows.step()) {
        for (int i = 0; i < rows.columnCount(); ++i) insert.bind(i + 1, rows.column(i));
        insert.run();
        insert.reset();
    }
}

DbError::Cause causeOf(int rc) {
    switch (rc & 0xFF) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return DbError::Cause::NotADatabase;
    case SQLITE_FULL:
        return DbError::Cause::DiskFull;
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        return DbError::Cause::NotWritable;
    default:
        return DbError::Cause::Other;
    }
}

} // namespace

std::string quotedName(const std::string& name) {
    std::string out = "\"";
    for (char c : name) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

Connection::Connection() : path_(":memory:") {
    if (sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db_);
        throw DbError("cannot make a database in memory");
    }
}

std::unique_ptr<Connection> Connection::inMemoryCopy(const Connection& from) {
    std::unique_ptr<Connection> to(new Connection());
    Transaction transaction(*to);
    // Tables first, then their rows, then the indexes over them.
    auto schema = from.prepare("SELECT type, name, sql FROM sqlite_master WHERE sql NOT NULL "
                               "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
                               "ORDER BY type <> 'table', rowid");
    while (schema.step()) {
        to->exec(schema.column(2).text());
        if (schema.column(0).text() == "table") copyRows(from, *to, schema.column(1).text());
    }
    transaction.commit();
    return to;
}

Connection::Connection(const std::string& path, const std::string& password, Mode mode)
    : path_(path) {
    int flags = SQLITE_OPEN_READWRITE | (mode == Mode::Create ? SQLITE_OPEN_CREATE : 0);
    try {
        open(flags, password, kFileFormat);
    } catch (const DbError& e) {
        if (!e.notADatabase()) throw;
        open(flags, password, nullptr);
    }
}

void Connection::open(int flags, const std::string& password, const char* format) {
    sqlite3_close(db_);
    db_ = nullptr;
    int rc = sqlite3_open_v2(path_.c_str(), &db_, flags, nullptr);
    try {
        if (rc != SQLITE_OK)
            throw DbError("cannot open " + path_ + ": " +
                              (db_ ? sqlite3_errmsg(db_) : "out of memory"),
                          causeOf(rc));
        sqlite3_busy_timeout(db_, kLockWaitMs);
        if (sqlite3_key(db_, password.data(), static_cast<int>(password.size())) != SQLITE_OK ||
            (format != nullptr &&
             sqlite3_exec(db_, format, nullptr, nullptr, nullptr) != SQLITE_OK))
            throw DbError("cannot set the key of " + path_);
        // SQLCipher opens any file with any key; the first read proves both.
        char* err = nullptr;
        rc = sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, &err);
        if (rc != SQLITE_OK) {
            std::string msg = err ? err : sqlite3_errstr(rc);
            sqlite3_free(err);
            throw DbError(path_ + ": " + msg, causeOf(rc));
        }
        exec("PRAGMA synchronous = FULL");
    } catch (...) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw;
    }
}

void Connection::useRollbackJournal() const {
    // Each write is a transaction of its own through a rollback journal, synced before it
    // counts: a kill or a power cut at any moment leaves the last committed state, and every
    // committed write lives in this one file (no log beside it that a copy could miss). A
    // file another program left in WAL mode is turned back, which is itself a write.
    exec("PRAGMA journal_mode = DELETE");
}

Connection::~Connection() {
    for (auto& [sql, kept] : kept_) sqlite3_finalize(kept.stmt);
    sqlite3_close(db_);
}

void Connection::fail(const std::string& context) const {
    throw DbError(context + ": " + sqlite3_errmsg(db_), causeOf(sqlite3_errcode(db_)));
}

Statement Connection::prepare(const std::string& sql) const {
    auto found = kept_.find(sql);
    if (found != kept_.end() && !found->second.inUse) {
        found->second.inUse = true;
        return Statement(found->second.stmt, *this, &found->second.inUse);
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &stmt, nullptr) !=
        SQLITE_OK)
        fail(sql);
    if (found != kept_.end() || kept_.size() >= kKeptStatements) return Statement(stmt, *this);
    Kept& kept = kept_[sql] = Kept{stmt, true};
    return Statement(stmt, *this, &kept.inUse);
}

void Connection::exec(const std::string& sql) const {
    char* err = nullptr;
    if (int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &err); rc != SQLITE_OK) {
        std::string msg = err ? err : "error";
        sqlite3_free(err);
        throw DbError(sql + ": " + msg, causeOf(rc));
    }
}

bool Connection::tableExists(const std::string& name) const {
    auto st = prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
    st.bind(1, name);
    return st.step();
}

std::int64_t Connection::lastInsertRowid() const {
    return sqlite3_last_insert_rowid(db_);
}

Statement::~Statement() {
    if (inUse_ == nullptr) {
        sqlite3_finalize(stmt_);
        return;
    }
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    *inUse_ = false;
}

Statement& Statement::bind(int index, const Value& v) {
    int rc = SQLITE_OK;
    struct Binder {
        sqlite3_stmt* s;
        int i;
        int operator()(std::monostate) const { return sqlite3_bind_null(s, i); }
        int operator()(std::int64_t x) const { return sqlite3_bind_int64(s, i, x); }
        int operator()(double x) const { return sqlite3_bind_double(s, i, x); }
        int operator()(const std::string& x) const {
            return sqlite3_bind_text(s, i, x.data(), static_cast<int>(x.size()), SQLITE_TRANSIENT);
        }
        int operator()(bool x) const { return sqlite3_bind_int64(s, i, x ? 1 : 0); }
    };
    rc = std::visit(Binder{stmt_, index}, v.storage());
    if (rc != SQLITE_OK) conn_->fail("bind");
    return *this;
}

bool Statement::step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    conn_->fail(sqlite3_sql(stmt_));
}

void Statement::run() {
    while (step()) {}
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::columnCount() const {
    return sqlite3_column_count(stmt_);
}

std::string Statement::columnName(int i) const {
    return sqlite3_column_name(stmt_, i);
}

Value Statement::column(int i) const {
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_INTEGER:
        return Value(static_cast<std::int64_t>(sqlite3_column_int64(stmt_, i)));
    case SQLITE_FLOAT:
        return Value(sqlite3_column_double(stmt_, i));
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
        const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt_, i));
        return Value(
            std::string(p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt_, i))));
    }
    default:
        return Value();
    }
}

std::vector<Value> Statement::row() const {
    std::vector<Value> out;
    int n = columnCount();
    out.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) out.push_back(column(i));
    return out;
}

Transaction::Transaction(const Connection& conn, Kind kind) : conn_(conn), kind_(kind) {
    conn_.exec(kind == Kind::Write ? "BEGIN IMMEDIATE" : "BEGIN DEFERRED");
}

Transaction::~Transaction() {
    if (!done_) {
        try {
            conn_.exec("ROLLBACK");
        } catch (...) {}
    }
}

void Transaction::commit() {
    if (kind_ == Kind::Write) {
        auto count = conn_.prepare("PRAGMA user_version");
        const auto now = count.step() ? static_cast<std::int64_t>(count.column(0).number()) : 0;
        count.reset();
        conn_.exec("PRAGMA user_version = " + std::to_string(static_cast<std::uint32_t>(now + 1)));
    }
    conn_.exec("COMMIT");
    done_ = true;
}

} // namespace kvz
