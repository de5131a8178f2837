// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/model/QuestionStore.h"

#include "data/BankRelease.h"
#include "data/DatabaseLock.h"
#include "data/Journal.h"

#include <filesystem>

namespace kvz::editor {

namespace {

constexpr const char* kSelect = "SELECT ID, Pitanje, A, B, V, G, RB, Tac, Odred FROM tbKviz";

int wholeOr0(const Value& v) {
    std::int64_t n = 0;
    return v.asWholeNumber(n) && n >= 0 && n <= 15 ? static_cast<int>(n) : 0;
}

Question readRow(const Statement& st) {
    Question q;
    q.id = static_cast<std::int64_t>(st.column(0).number());
    q.text = st.column(1).text();
    for (std::size_t i = 0; i < 4; ++i) q.answers[i] = st.column(static_cast<int>(i) + 2).text();
    q.level = wholeOr0(st.column(6));
    q.right = wholeOr0(st.column(7));
    q.note = st.column(8).text();
    return q;
}

} // namespace

QuestionFields fieldsOf(const Question& q) {
    return {Value(q.text),       Value(q.answers[0]),
            Value(q.answers[1]), Value(q.answers[2]),
            Value(q.answers[3]), Value(q.level),
            Value(q.right),      q.note.empty() ? Value() : Value(q.note)};
}

QuestionStore::QuestionStore(const std::string& path)
    : lock_(std::make_unique<DatabaseLock>(path)) {
    checkFilesBeside(path, lock_.get());
    conn_ = std::make_unique<Connection>(path, kDatabasePassword);
    if (!conn_->tableExists("tbKviz")) throw DbError(path + " holds no question table");
    conn_->useRollbackJournal();
}

QuestionStore::~QuestionStore() {
    conn_.reset(); // closed before the lock goes
}

void QuestionStore::createFromTemplate(const std::string& templatePath, const std::string& path) {
    if (std::filesystem::exists(path)) throw DbError(path + " exists already");
    const std::string building = path + ".new";
    std::filesystem::copy_file(templatePath, building,
                               std::filesystem::copy_options::overwrite_existing);
    try {
        {
            Connection conn(building, kDatabasePassword);
            Transaction tx(conn);
            conn.exec("DELETE FROM tbKviz");
            for (const char* table : {"kvzBank", "kvzReleased", "kvzKnown", "kvzRemoved", "kvzOwn"})
                conn.exec(std::string("DROP TABLE IF EXISTS ") + table);
            tx.commit();
        }
        std::filesystem::rename(building, path);
    } catch (...) {
        std::filesystem::remove(building);
        throw;
    }
}

std::vector<Question> QuestionStore::questions() const {
    Transaction snapshot(*conn_, Transaction::Kind::Read);
    auto st = conn_->prepare(std::string(kSelect) + " ORDER BY ID");
    std::vector<Question> out;
    while (st.step()) out.push_back(readRow(st));
    return out;
}

std::optional<Question> QuestionStore::find(std::int64_t id) const {
    auto st = conn_->prepare(std::string(kSelect) + " WHERE ID = ?");
    st.bind(1, id);
    if (!st.step()) return std::nullopt;
    return readRow(st);
}

void QuestionStore::write(const Question& q, bool withId) {
    auto st = conn_->prepare(withId ? "INSERT OR REPLACE INTO tbKviz (Pitanje, A, B, V, G, RB, "
                                      "Tac, Odred, ID) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"
                                    : "INSERT INTO tbKviz (Pitanje, A, B, V, G, RB, Tac, Odred) "
                                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    const QuestionFields fields = fieldsOf(q);
    for (std::size_t i = 0; i < fields.size(); ++i) st.bind(static_cast<int>(i) + 1, fields[i]);
    if (withId) st.bind(9, q.id);
    st.run();
}

std::int64_t QuestionStore::add(const Question& q) {
    Transaction tx(*conn_);
    write(q, false);
    const std::int64_t id = conn_->lastInsertRowid();
    tx.commit();
    return id;
}

void QuestionStore::update(const Question& q) {
    Transaction tx(*conn_);
    if (!find(q.id)) throw DbError("question " + std::to_string(q.id) + " is not in the bank");
    makeOwnQuestion(*conn_, q.id);
    write(q, true);
    tx.commit();
}

void QuestionStore::remove(std::int64_t id) {
    Transaction tx(*conn_);
    rememberRemovedQuestion(*conn_, id);
    conn_->prepare("DELETE FROM tbKviz WHERE ID = ?").bind(1, id).run();
    tx.commit();
}

void QuestionStore::restore(const std::vector<Question>& questions) {
    Transaction tx(*conn_);
    for (const Question& q : questions) {
        forgetRemovedQuestion(*conn_, q.text);
        makeOwnQuestion(*conn_, q.id);
        write(q, true);
    }
    tx.commit();
}

void QuestionStore::takeBack(const std::vector<std::int64_t>& ids) {
    Transaction tx(*conn_);
    auto del = conn_->prepare("DELETE FROM tbKviz WHERE ID = ?");
    for (auto id : ids) {
        del.bind(1, id).run();
        del.reset();
    }
    tx.commit();
}

bool QuestionStore::textExists(const std::string& display, std::int64_t exceptId) const {
    auto st = conn_->prepare("SELECT 1 FROM tbKviz WHERE Pitanje = ? AND ID <> ? LIMIT 1");
    st.bind(1, display).bind(2, exceptId);
    return st.step();
}

} // namespace kvz::editor
