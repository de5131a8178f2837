// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Generator.h"
#include "data/Collaborators.h"
#include "data/QuestionBank.h"
#include "data/Settings.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

using namespace kvz;

namespace {

class DatabaseTest : public ::testing::Test {
  protected:
    void make(const Json& fixture) { createDatabase(path, fixture); }
    Connection open() const { return Connection(path, kDatabasePassword); }

    test::TempDir dir;
    const std::string path = dir.file("Baza.mdb");
};

} // namespace

TEST_F(DatabaseTest, levelsAreCountedAndThePickedPositionFollowsTheDrawAndTheTableOrder) {
    Json f = test::sampleFixture(1);
    f["tbKviz"].push_back(test::question("Druga ~etvrtog", 4, 2));
    f["tbKviz"].push_back(test::question("Tre}a ~etvrtog", 4, 3));
    f["tbKviz"].erase(f["tbKviz"].begin() + 8); // the question of level 9
    make(f);
    auto conn = open();
    EXPECT_EQ(countLevel(conn, 4), 3);
    EXPECT_EQ(countLevel(conn, 1), 1);
    EXPECT_EQ(countLevel(conn, 9), 0);
    Generator gen;
    EXPECT_FALSE(pickQuestion(conn, 9, 0, gen, 0)) << "an empty level gives no question";
    for (double r : {0.0, 0.34, 0.999999}) gen.queue(r);
    EXPECT_EQ(pickQuestion(conn, 4, 3, gen, 0)->at(1).text(), "Pitawe 4.1");
    EXPECT_EQ(pickQuestion(conn, 4, 3, gen, 0)->at(1).text(), "Druga ~etvrtog");
    auto last = pickQuestion(conn, 4, 3, gen, 0);
    EXPECT_EQ(last->at(1).text(), "Tre}a ~etvrtog");
    EXPECT_EQ(last->position, 3);
    EXPECT_TRUE(last->tac.equalsNumber(3));
    // The position stays inside the level for any size and draw.
    EXPECT_EQ(drawPosition(100000000, 0.99999999999), 100000000);
    EXPECT_EQ(drawPosition(0, 0.5), 1); // an empty level positions on nothing: questionAt says so
}

TEST_F(DatabaseTest, positionsFollowTheTableOrderWhetherALevelIsStoredInOneRunOrNot) {
    make(test::sampleFixture(3));
    auto conn = open();
    auto textAt = [&](std::int64_t p) {
        auto row = questionAt(conn, 4, p, countLevel(conn, 4));
        return row ? row->at(1).text() : "none";
    };
    EXPECT_EQ(textAt(1), "Pitawe 4.1");
    EXPECT_EQ(textAt(3), "Pitawe 4.3");
    EXPECT_EQ(textAt(4), "none");
    // A gap, and a row stored after the other levels.
    conn.exec("DELETE FROM tbKviz WHERE Pitanje = 'Pitawe 4.2'");
    conn.exec("INSERT INTO tbKviz (Pitanje, RB) VALUES ('Pitawe 4.4', 4)");
    EXPECT_EQ(textAt(2), "Pitawe 4.3");
    EXPECT_EQ(textAt(3), "Pitawe 4.4");
}

TEST_F(DatabaseTest, theGeneratorIsSeededOnlyAtQuestionOne) {
    make(test::sampleFixture(50));
    auto conn = open();
    // Two games seeded from the same clock reading draw the same questions; questions 2..15
    // continue the sequence whatever the clock says meanwhile.
    auto game = [&](double clockAtQuestionOne) {
        Generator gen;
        gen.randomize(12345); // whatever came before the game
        std::vector<std::int64_t> drawn;
        for (int q = 1; q <= 15; ++q)
            drawn.push_back(
                pickQuestion(conn, q, 50, gen, q == 1 ? clockAtQuestionOne : q * 1000.0)->position);
        return drawn;
    };
    EXPECT_EQ(game(777.25), game(777.25));
    EXPECT_NE(game(777.25), game(91234.5));

    Generator seeded, unseeded;
    seeded.randomize(1);
    unseeded.randomize(1);
    pickQuestion(conn, 2, 50, seeded, 99999); // not question 1: no re-seeding
    unseeded.next();
    EXPECT_EQ(seeded.next(), unseeded.next());

    Generator queued; // a scripted draw survives the seeding
    queued.queue(0.95);
    EXPECT_EQ(pickQuestion(conn, 1, 50, queued, 4242)->position, 48);
}

TEST_F(DatabaseTest, collaboratorsAreReadInTableOrderLeavingOutNamesTheGameCannotShow) {
    make(test::sampleFixture(1, false));
    EXPECT_TRUE(readCollaborators(open()).empty());
    open().exec("CREATE TABLE tbSar (Nesto)"); // the table is there, its column is not
    EXPECT_TRUE(readCollaborators(open()).empty());

    Json f = test::sampleFixture(1, true);
    f["tbSar"] = {"Pera", std::string(1001, 'x'), "\u0160ana", "Mika"};
    make(f);
    EXPECT_EQ(readCollaborators(open()), (std::vector<std::string>{"Pera", "Mika"}));
}

TEST_F(DatabaseTest, aCounterBumpRaisesOnlyThatFieldByOneAndIsOnDiskAtOnce) {
    Json f = test::sampleFixture(1);
    f["tbStat"]["Start"] = 41;
    f["tbStat"]["PTac"] = 7;
    make(f);
    auto conn = open();
    auto writes = directWriter(conn);
    Settings stat(conn, *writes);
    // Read on a connection of their own: the write is there without anything else first.
    auto onDisk = [&] {
        std::vector<double> counters;
        for (const char* field : {"Start", "Tac", "Netac", "PTac", "PNetac"})
            counters.push_back(test::storedSetting(path, field).number());
        return counters;
    };
    stat.bump("Start");
    EXPECT_EQ(onDisk(), (std::vector<double>{42, 0, 0, 7, 0}));
    stat.bump("PTac");
    EXPECT_EQ(onDisk(), (std::vector<double>{42, 0, 0, 8, 0}));
}

TEST_F(DatabaseTest, settingsWithoutTheirRowOrAFieldFailClearly) {
    Json f = test::sampleFixture(1);
    f.erase("tbStat");
    make(f);
    EXPECT_THROW(test::storedSetting(path, "Start"), DbError);
    make(test::sampleFixture(1));
    EXPECT_THROW(test::storedSetting(path, "Nema"), DbError);
}

TEST_F(DatabaseTest, theFileIsUnreadableWithoutThePasswordAndRandomBytesAreNoDatabase) {
    Json f = test::sampleFixture(1);
    f["tbKviz"][0]["Pitanje"] = "Tajno pitawe o vrbi";
    make(f);
    EXPECT_EQ(test::readFile(path).find("Tajno pitawe"), std::string::npos);
    EXPECT_EQ(test::readFile(path).find("SQLite format"), std::string::npos);
    auto refused = [&](const char* password) {
        try {
            Connection conn(path, password);
        } catch (const DbError& e) {
            return e.notADatabase();
        }
        return false;
    };
    EXPECT_TRUE(refused("jasen"));
    EXPECT_THROW(Connection(path, ""), DbError);
    test::writeFile(path, std::string(4096, 'x'));
    EXPECT_TRUE(refused(kDatabasePassword)) << "random bytes";
}

TEST_F(DatabaseTest, aFileWrittenWithTheLibraryDefaultsOpensAndKeepsItsFormat) {
    // Earlier versions wrote their files with the library's default encryption settings.
    auto withDefaults = [&](const char* sql) {
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        sqlite3_key(db, kDatabasePassword, 4);
        int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
        sqlite3_close(db);
        return rc;
    };
    ASSERT_EQ(withDefaults("CREATE TABLE tbSar (Saradnik); INSERT INTO tbSar VALUES ('Pera')"),
              SQLITE_OK);
    {
        auto conn = open();
        conn.exec("INSERT INTO tbSar VALUES ('Mika')");
        EXPECT_EQ(readCollaborators(conn), (std::vector<std::string>{"Pera", "Mika"}));
    }
    EXPECT_EQ(withDefaults("SELECT count(*) FROM tbSar"), SQLITE_OK);
}

TEST_F(DatabaseTest, aKeptStatementIsNeverSharedWhileInUseAndLetsWritersInWhenItGoes) {
    make(test::sampleFixture(1, true));
    auto conn = open();
    const std::string names = "SELECT Saradnik FROM tbSar ORDER BY rowid";
    {
        auto outer = conn.prepare(names); // kept, and left in the middle of its rows
        ASSERT_TRUE(outer.step());
        {
            auto inner = conn.prepare(names);
            ASSERT_TRUE(inner.step());
            EXPECT_EQ(inner.column(0).text(), "Pera");
        }
        ASSERT_TRUE(outer.step());
        EXPECT_EQ(outer.column(0).text(), "Mika");
    }
    // Another connection can write: the kept statement holds no read lock any more.
    EXPECT_NO_THROW(Connection(path, kDatabasePassword).exec("INSERT INTO tbSar VALUES ('Laza')"));
}
