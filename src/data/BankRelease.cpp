// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/BankRelease.h"

#include "data/DatabaseLock.h"
#include "data/Journal.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <unistd.h>
#include <unordered_set>

namespace kvz {

namespace {

using Texts = std::unordered_set<std::string>;

// The question columns a release carries, in the order they are read and written.
constexpr const char* kColumns = "Pitanje, A, B, V, G, RB, Tac, Odred";
using QuestionValues = std::array<Value, 8>;

void createTables(const Connection& conn) {
    conn.exec("CREATE TABLE IF NOT EXISTS kvzBank (Izdanje INTEGER)");
    conn.exec("CREATE TABLE IF NOT EXISTS kvzReleased (ID INTEGER PRIMARY KEY, Pitanje)");
    conn.exec("CREATE TABLE IF NOT EXISTS kvzKnown (Pitanje PRIMARY KEY)");
    conn.exec("CREATE TABLE IF NOT EXISTS kvzRemoved (Pitanje PRIMARY KEY)");
    conn.exec("CREATE TABLE IF NOT EXISTS kvzOwn (ID INTEGER PRIMARY KEY)");
}

void setRelease(const Connection& conn, std::int64_t release) {
    conn.exec("DELETE FROM kvzBank");
    conn.prepare("INSERT INTO kvzBank (Izdanje) VALUES (?)").bind(1, release).run();
}

Texts textsOf(const Connection& conn, const std::string& sql) {
    Texts out;
    auto st = conn.prepare(sql);
    while (st.step())
        if (!st.column(0).isNull()) out.insert(st.column(0).text());
    return out;
}

void addKnown(const Connection& conn, const Texts& texts) {
    auto insert = conn.prepare("INSERT OR IGNORE INTO kvzKnown (Pitanje) VALUES (?)");
    for (const auto& text : texts) {
        insert.bind(1, text).run();
        insert.reset();
    }
}

// What a newer release brings: its questions in table order, and every text released so far.
struct Release {
    std::vector<QuestionValues> questions;
    Texts known;
};

Release readRelease(const Connection& templ) {
    Transaction snapshot(templ, Transaction::Kind::Read);
    Release out;
    auto st = templ.prepare(std::string("SELECT ") + kColumns + " FROM tbKviz ORDER BY ID");
    while (st.step()) {
        QuestionValues q;
        for (std::size_t i = 0; i < q.size(); ++i) q[i] = st.column(static_cast<int>(i));
        out.known.insert(q[0].text());
        out.questions.push_back(std::move(q));
    }
    out.known.merge(textsOf(templ, "SELECT Pitanje FROM kvzKnown"));
    return out;
}

// The rows of the player's copy that came with its release. A copy of release 0 records
// none: there a question is taken for a released one when its text is a released text.
std::vector<std::int64_t> releasedRows(const Connection& player, std::int64_t release,
                                       const Texts& known) {
    std::vector<std::int64_t> out;
    if (release > 0) {
        auto st = player.prepare("SELECT k.ID FROM tbKviz k JOIN kvzReleased r ON r.ID = k.ID "
                                 "AND r.Pitanje IS k.Pitanje "
                                 "WHERE k.ID NOT IN (SELECT ID FROM kvzOwn)");
        while (st.step()) out.push_back(static_cast<std::int64_t>(st.column(0).number()));
        return out;
    }
    auto st = player.prepare("SELECT ID, Pitanje FROM tbKviz "
                             "WHERE ID NOT IN (SELECT ID FROM kvzOwn)");
    while (st.step())
        if (!st.column(1).isNull() && known.count(st.column(1).text()))
            out.push_back(static_cast<std::int64_t>(st.column(0).number()));
    return out;
}

void deleteRows(const Connection& conn, const std::vector<std::int64_t>& ids) {
    auto del = conn.prepare("DELETE FROM tbKviz WHERE ID = ?");
    for (auto id : ids) {
        del.bind(1, id).run();
        del.reset();
    }
}

// The release's questions that go in: not those the player deleted, nor those he keeps a
// question of his own with the same text for. By level, in the release's order.
std::map<std::int64_t, std::vector<const QuestionValues*>>
questionsToAdd(const Connection& player, const Release& release, UpgradeReport& report) {
    const Texts own = textsOf(player, "SELECT Pitanje FROM tbKviz");
    const Texts removed = textsOf(player, "SELECT Pitanje FROM kvzRemoved");
    std::map<std::int64_t, std::vector<const QuestionValues*>> out;
    for (const auto& q : release.questions) {
        const std::string text = q[0].text();
        if (own.count(text) || removed.count(text)) {
            ++report.notBroughtBack;
            continue;
        }
        std::int64_t level = 0;
        out[q[5].asWholeNumber(level) ? level : 0].push_back(&q);
    }
    return out;
}

// Puts the release's questions in after the player's own, each level in one run of row
// numbers, the player's own questions of the level moved to its start: the game then finds
// a drawn row by its number however large the level is, as on a bank an import wrote.
void addReleased(const Connection& player, const Release& release, UpgradeReport& report) {
    const auto byLevel = questionsToAdd(player, release, report);
    auto last = player.prepare("SELECT max(ID) FROM tbKviz");
    std::int64_t lastOwn = 0;
    if (last.step()) last.column(0).asWholeNumber(lastOwn);
    last.reset();
    std::int64_t next = lastOwn + 1;

    auto ownOfLevel = player.prepare("SELECT ID FROM tbKviz WHERE RB = ? AND ID <= ? ORDER BY ID");
    auto move = player.prepare("UPDATE tbKviz SET ID = ? WHERE ID = ?");
    auto insert = player.prepare(std::string("INSERT INTO tbKviz (ID, ") + kColumns +
                                 ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    auto mark = player.prepare("INSERT INTO kvzReleased (ID, Pitanje) VALUES (?, ?)");
    for (const auto& [level, questions] : byLevel) {
        std::vector<std::int64_t> own;
        ownOfLevel.bind(1, level).bind(2, lastOwn);
        while (level != 0 && ownOfLevel.step())
            own.push_back(static_cast<std::int64_t>(ownOfLevel.column(0).number()));
        ownOfLevel.reset();
        for (std::int64_t id : own) {
            move.bind(1, next++).bind(2, id).run();
            move.reset();
        }
        for (const QuestionValues* q : questions) {
            insert.bind(1, next);
            for (std::size_t i = 0; i < q->size(); ++i)
                insert.bind(static_cast<int>(i) + 2, (*q)[i]);
            insert.run();
            insert.reset();
            mark.bind(1, next++).bind(2, (*q)[0]).run();
            mark.reset();
            ++report.added;
        }
    }
}

// Writes the file held under `lock` to `to`, synced, through the lock's own descriptor.
void copyFile(const DatabaseLock& lock, const std::string& to) {
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    auto failed = [&](const char* what) {
        const int err = errno;
        if (out >= 0) ::close(out);
        std::remove(to.c_str());
        throw DbError(std::string("cannot ") + what + " " + to + ": " + std::strerror(err),
                      err == ENOSPC || err == EDQUOT ? DbError::Cause::DiskFull
                                                     : DbError::Cause::NotWritable);
    };
    if (out < 0) failed("create");
    char buffer[1 << 16];
    off_t at = 0;
    for (;;) {
        const ssize_t n = ::pread(lock.fd(), buffer, sizeof buffer, at);
        if (n < 0) failed("copy the database to");
        if (n == 0) break;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buffer + done, static_cast<std::size_t>(n - done));
            if (w < 0) failed("write");
            done += w;
        }
        at += n;
    }
    if (::fsync(out) != 0) failed("write");
    ::close(out);
}

} // namespace

std::int64_t bankRelease(const Connection& conn) {
    if (!conn.tableExists("kvzBank")) return 0;
    auto st = conn.prepare("SELECT max(Izdanje) FROM kvzBank");
    std::int64_t release = 0;
    if (!st.step() || !st.column(0).asWholeNumber(release)) return 0;
    return release;
}

void markRelease(const Connection& conn, std::int64_t release,
                 const std::vector<std::string>& earlierTexts) {
    if (release < 1) throw DbError("a bank release is numbered from 1");
    Transaction tx(conn);
    createTables(conn);
    setRelease(conn, release);
    conn.exec("DELETE FROM kvzReleased");
    conn.exec("DELETE FROM kvzOwn");
    conn.exec("INSERT INTO kvzReleased (ID, Pitanje) SELECT ID, Pitanje FROM tbKviz");
    conn.exec("INSERT OR IGNORE INTO kvzKnown (Pitanje) SELECT Pitanje FROM tbKviz");
    addKnown(conn, Texts(earlierTexts.begin(), earlierTexts.end()));
    tx.commit();
}

UpgradeReport upgradeBank(const Connection& player, const Connection& templ) {
    UpgradeReport report;
    report.fromRelease = bankRelease(player);
    report.toRelease = bankRelease(templ);
    if (report.toRelease <= report.fromRelease) return report;
    const Release release = readRelease(templ);

    Transaction tx(player);
    createTables(player);
    const auto released = releasedRows(player, report.fromRelease, release.known);
    deleteRows(player, released);
    report.replaced = static_cast<std::int64_t>(released.size());
    player.exec("DELETE FROM kvzReleased");
    player.exec("DELETE FROM kvzOwn");
    auto own = player.prepare("SELECT COUNT(*) FROM tbKviz");
    own.step();
    report.ownKept = static_cast<std::int64_t>(own.column(0).number());
    own.reset();
    addReleased(player, release, report);
    addKnown(player, release.known);
    setRelease(player, report.toRelease);
    tx.commit();
    report.upgraded = true;
    return report;
}

std::string asideCopyPath(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const auto stem = hasExtension ? dot : path.size();
    return path.substr(0, stem) + "-prije-nadogradnje" + path.substr(stem);
}

UpgradeReport upgradeBankFile(const std::string& path, const std::string& templatePath) {
    Connection templ(templatePath, kDatabasePassword);
    DatabaseLock lock(path);
    checkFilesBeside(path, &lock);
    Connection player(path, kDatabasePassword);
    player.useRollbackJournal();
    if (bankRelease(templ) <= bankRelease(player)) return upgradeBank(player, templ);

    // The copy stays while the transaction is open: a process killed then leaves it beside
    // the journal. An upgrade that fails has rolled back, and the file is as it was.
    const std::string aside = asideCopyPath(path);
    copyFile(lock, aside);
    try {
        UpgradeReport report = upgradeBank(player, templ);
        std::remove(aside.c_str());
        return report;
    } catch (...) {
        std::remove(aside.c_str());
        throw;
    }
}

void makeOwnQuestion(const Connection& conn, std::int64_t questionId) {
    createTables(conn);
    conn.prepare("DELETE FROM kvzReleased WHERE ID = ?").bind(1, questionId).run();
    conn.prepare("INSERT OR IGNORE INTO kvzOwn (ID) VALUES (?)").bind(1, questionId).run();
}

void rememberRemovedQuestion(const Connection& conn, std::int64_t questionId) {
    const bool recorded = bankRelease(conn) > 0;
    createTables(conn);
    // A copy of release 0 cannot tell its released rows: its texts are judged at the upgrade,
    // where one remembered here only keeps that question out.
    conn.prepare(recorded ? "INSERT OR IGNORE INTO kvzRemoved (Pitanje) SELECT k.Pitanje FROM "
                            "tbKviz k JOIN kvzReleased r ON r.ID = k.ID AND r.Pitanje IS "
                            "k.Pitanje WHERE k.ID = ?1 AND k.ID NOT IN (SELECT ID FROM kvzOwn)"
                          : "INSERT OR IGNORE INTO kvzRemoved (Pitanje) SELECT Pitanje FROM "
                            "tbKviz WHERE ID = ?1 AND Pitanje NOT NULL "
                            "AND ID NOT IN (SELECT ID FROM kvzOwn)")
        .bind(1, questionId)
        .run();
    conn.prepare("DELETE FROM kvzReleased WHERE ID = ?").bind(1, questionId).run();
}

void forgetRemovedQuestion(const Connection& conn, const std::string& questionText) {
    if (!conn.tableExists("kvzRemoved")) return;
    conn.prepare("DELETE FROM kvzRemoved WHERE Pitanje = ?").bind(1, questionText).run();
}

} // namespace kvz
