// SPDX-License-Identifier: GPL-3.0-or-later
// A new release of the bank reaches a player's copy: the released questions are replaced, and
// whatever is the player's (counters, settings, results, questions he added or edited, and
// the absence of those he deleted) survives the upgrade.
#include "data/BankRelease.h"

#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>

using namespace kvz;

namespace {

// The questions of a release: `perLevel` a level, their texts naming the release.
Json releaseQuestions(const std::string& name, int perLevel) {
    Json out = Json::array();
    for (int level = 1; level <= 15; ++level)
        for (int i = 0; i < perLevel; ++i)
            out.push_back(
                test::question(name + " " + std::to_string(level) + "/" + std::to_string(i), level,
                               i % 4 + 1, "Obja{wewe"));
    return out;
}

// The releases an upgrade went from and to, and the questions it replaced, added, kept as
// the player's own and did not bring back.
std::vector<std::int64_t> outcome(const UpgradeReport& r) {
    return {r.fromRelease, r.toRelease, r.replaced, r.added, r.ownKept, r.notBroughtBack};
}

std::vector<std::string> textsOf(const Json& questions) {
    std::vector<std::string> out;
    for (const auto& q : questions) out.push_back(q["Pitanje"]);
    return out;
}

// The question rows as a sorted list, row numbers left out: what a player can meet.
std::multiset<std::string> sortedRows(const Json& questions) {
    std::multiset<std::string> out;
    for (const auto& q : questions) out.insert(q.dump());
    return out;
}

class BankReleaseTest : public ::testing::Test {
  protected:
    // A database file holding `questions` and the usual small tables.
    std::string make(const std::string& name, const Json& questions) {
        Json f = test::sampleFixture(0);
        f["tbKviz"] = questions;
        const std::string path = dir.file(name);
        createDatabase(path, f);
        return path;
    }
    std::string makeRelease(const std::string& name, const Json& questions, std::int64_t release,
                            const std::vector<std::string>& earlier = {}) {
        const std::string path = make(name, questions);
        markRelease(Connection(path, kDatabasePassword), release, earlier);
        return path;
    }
    static Json exported(const std::string& path) {
        return exportDatabase(Connection(path, kDatabasePassword));
    }

    test::TempDir dir;
};

} // namespace

TEST_F(BankReleaseTest, anUpgradeKeepsCountersResultsAndOwnQuestionsAndCarriesTheNewRelease) {
    const Json first = releaseQuestions("Prvo", 2);
    const std::string player = makeRelease("Baza.mdb", first, 1);
    Json own = Json::array();
    {
        Connection conn(player, kDatabasePassword);
        conn.exec("UPDATE tbStat SET Slova = 0, Start = 12, Tac = 40, Netac = 7, PTac = 3, "
                  "PNetac = 1, Ime = 'Marko'");
        conn.exec("UPDATE tbRezultati SET Ime = 'Igra~ ' || rowid, RB = rowid, Skor = rowid * "
                  "1000.5, Datum = '0' || rowid || '.12.2026'");
        auto insert = conn.prepare("INSERT INTO tbKviz (Pitanje, A, B, V, G, RB, Tac, Odred) "
                                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        for (int i = 0; i < 20; ++i) {
            own.push_back(test::question("Moje " + std::to_string(i), i % 15 + 1, i % 4 + 1));
            int column = 0;
            for (const auto& [key, value] : own.back().items())
                insert.bind(++column, jsonToValue(value));
            insert.run();
            insert.reset();
        }
    }
    const Json before = exported(player);
    const Json second = releaseQuestions("Drugo", 3);
    const std::string templ = makeRelease("Nova.mdb", second, 2, textsOf(first));

    const UpgradeReport report = upgradeBankFile(player, templ);
    EXPECT_TRUE(report.upgraded);
    EXPECT_EQ(outcome(report), (std::vector<std::int64_t>{1, 2, 30, 45, 20, 0}));
    EXPECT_FALSE(std::filesystem::exists(asideCopyPath(player))) << "removed once committed";

    const Json after = exported(player);
    for (const char* table : {"tbStat", "tbRezultati", "tbSar"})
        EXPECT_EQ(after[table], before[table]) << table;
    own.insert(own.end(), second.begin(), second.end());
    EXPECT_EQ(sortedRows(after["tbKviz"]), sortedRows(own));
    EXPECT_EQ(bankRelease(Connection(player, kDatabasePassword)), 2);

    // The same template again changes nothing, not even the file.
    const std::string upgraded = test::readFile(player);
    EXPECT_FALSE(upgradeBankFile(player, templ).upgraded);
    EXPECT_EQ(test::readFile(player), upgraded);
}

TEST_F(BankReleaseTest, aCopyFromBeforeReleasesTakesQuestionsWithReleasedTextsForReleased) {
    // Made before releases were recorded: the old bank and two questions the player added,
    // one old question deleted in the editor.
    const Json old = releaseQuestions("Staro", 1);
    Json copy = old;
    copy.push_back(test::question("Moje prvo", 4));
    copy.push_back(test::question("Moje drugo", 9, 2));
    const std::string player = make("Baza.mdb", copy);
    {
        Connection conn(player, kDatabasePassword);
        EXPECT_EQ(bankRelease(conn), 0);
        Transaction tx(conn);
        rememberRemovedQuestion(conn, 3);
        conn.exec("DELETE FROM tbKviz WHERE ID = 3");
        tx.commit();
    }
    // The new release keeps every old question and adds its own.
    Json next = old;
    for (const auto& q : releaseQuestions("Novo", 2)) next.push_back(q);
    const std::string templ = makeRelease("Nova.mdb", next, 1, textsOf(old));

    const UpgradeReport report = upgradeBankFile(player, templ);
    EXPECT_EQ(outcome(report), (std::vector<std::int64_t>{0, 1, 14, 44, 2, 1}));
    Json expected = Json::array({copy[15], copy[16]});
    for (const auto& q : next)
        if (q != old[2]) expected.push_back(q);
    EXPECT_EQ(sortedRows(exported(player)["tbKviz"]), sortedRows(expected));
}

TEST_F(BankReleaseTest, editedReleasedQuestionsStayAsEditedAndDeletedOnesDoNotComeBack) {
    const Json first = releaseQuestions("Prvo", 1);
    const std::string player = makeRelease("Baza.mdb", first, 1);
    {
        Connection conn(player, kDatabasePassword);
        Transaction tx(conn);
        conn.exec("UPDATE tbKviz SET A = 'Ispravqeno' WHERE ID = 1");
        makeOwnQuestion(conn, 1);
        rememberRemovedQuestion(conn, 2);
        conn.exec("DELETE FROM tbKviz WHERE ID = 2");
        // Changed behind the editor's back: a row whose text changed is no longer released.
        conn.exec("UPDATE tbKviz SET Pitanje = 'Preina~eno' WHERE ID = 3");
        tx.commit();
    }
    const Json edited = exported(player)["tbKviz"];
    Json next = first;
    for (const auto& q : releaseQuestions("Drugo", 1)) next.push_back(q);
    const std::string templ = makeRelease("Nova.mdb", next, 2, textsOf(first));

    const UpgradeReport report = upgradeBankFile(player, templ);
    // Not brought back: the edited one's text and the deleted one's.
    EXPECT_EQ(outcome(report), (std::vector<std::int64_t>{1, 2, 12, 28, 2, 2}));
    Json expected = Json::array({edited[0], edited[1]}); // rows 1 and 3
    for (std::size_t i = 0; i < next.size(); ++i)
        if (i != 0 && i != 1) expected.push_back(next[i]);
    EXPECT_EQ(sortedRows(exported(player)["tbKviz"]), sortedRows(expected));
}
