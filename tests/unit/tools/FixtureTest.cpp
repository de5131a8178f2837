// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Settings.h"
#include "support/TestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

using namespace kvz;

TEST(Fixture, createThenExportGivesBackWhatWentInWithNullsAndOddValues) {
    test::TempDir dir;
    Json f = test::sampleFixture(2);
    f["tbStat"]["Ime"] = "Kviz ve~e";
    f["tbStat"]["Moto"] = nullptr;
    f["tbStat"]["Datum"] = 20030610;
    f["tbKviz"][0]["Tac"] = "2";   // a digit stored as text
    f["tbKviz"][1]["Tac"] = "dva"; // a word
    f["tbKviz"][2]["Tac"] = nullptr;
    f["tbKviz"][3]["Tac"] = -1;
    f["tbKviz"][4]["Tac"] = 2.5;
    f["tbKviz"][5]["Pitanje"] = 123; // a number where a text belongs
    f["tbKviz"][6]["A"] = "";
    f["tbKviz"][7]["Odred"] = "Napomena.";
    f["tbKviz"][8]["RB"] = 99;
    f["tbRezultati"][0] = {{"Ime", "Ana"}, {"RB", 7}, {"Skor", 4000.5}, {"Datum", "2026-01-01"}};
    f["tbRezultati"][1]["Ime"] = nullptr;
    createDatabase(dir.file("Baza.mdb"), f);
    Json back = exportDatabase(Connection(dir.file("Baza.mdb"), kDatabasePassword));
    EXPECT_EQ(back, f) << back.dump(1);
}

TEST(Fixture, tablesCanBeLeftOutOrTheSettingsRowDoubledOnPurpose) {
    test::TempDir dir;
    Json f = test::sampleFixture(1, false);
    f["tbStat"] = Json::array({f["tbStat"], f["tbStat"]});
    createDatabase(dir.file("a.mdb"), f);
    Connection a(dir.file("a.mdb"), kDatabasePassword);
    EXPECT_FALSE(a.tableExists("tbSar"));
    EXPECT_EQ(exportDatabase(a)["tbStat"].size(), 2u);
    f.erase("tbStat");
    createDatabase(dir.file("b.mdb"), f);
    EXPECT_FALSE(
        exportDatabase(Connection(dir.file("b.mdb"), kDatabasePassword)).contains("tbStat"));
}

TEST(Fixture, aMalformedFixtureLeavesAnExistingFileAlone) {
    test::TempDir dir;
    std::string path = dir.file("Baza.mdb");
    createDatabase(path, test::sampleFixture(1));
    std::string before = test::readFile(path);
    // A field the table lacks, a list for a value, a table the game lacks.
    Json unknownField = test::sampleFixture(1), listValue = unknownField;
    unknownField["tbKviz"][3]["Tezina"] = 5;
    listValue["tbKviz"][0]["A"] = Json::array({1, 2});
    for (const Json& bad : {unknownField, listValue, Json{{"tbPitanja", Json::array()}}})
        EXPECT_THROW(createDatabase(path, bad), std::runtime_error);
    EXPECT_EQ(test::readFile(path), before);
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));
}

namespace {

// Runs `write` once, when the connection starts a statement whose text holds `marker`.
struct WriteBetweenReads {
    std::string marker;
    std::function<void()> write;
    bool done = false;

    static int onStatement(unsigned, void* self, void* stmt, void*) {
        auto* w = static_cast<WriteBetweenReads*>(self);
        const char* sql = sqlite3_sql(static_cast<sqlite3_stmt*>(stmt));
        if (!w->done && sql != nullptr && std::string(sql).find(w->marker) != std::string::npos) {
            w->done = true;
            w->write();
        }
        return 0;
    }
};

} // namespace

TEST(Fixture, anExportSeesEveryTableAtOneMomentWhileAnotherProgramWrites) {
    test::TempDir dir;
    const std::string path = dir.file("Baza.mdb");
    createDatabase(path, test::sampleFixture(1));
    Connection game(path, kDatabasePassword);
    game.exec("PRAGMA busy_timeout = 0"); // a commit the export holds off fails at once
    // A game's counter and its result change together, after the export has read the
    // counters and before it reads the results.
    WriteBetweenReads between{"tbRezultati", [&game] {
                                  try {
                                      Transaction tx(game);
                                      game.exec("UPDATE tbStat SET Start = 7");
                                      game.exec("UPDATE tbRezultati SET Skor = 7 WHERE rowid = 1");
                                      tx.commit();
                                  } catch (const DbError&) {}
                              }};
    Connection reader(path, kDatabasePassword);
    sqlite3_trace_v2(reader.handle(), SQLITE_TRACE_STMT, &WriteBetweenReads::onStatement, &between);
    Json exported = exportDatabase(reader);
    ASSERT_TRUE(between.done);
    EXPECT_EQ(exported["tbStat"]["Start"], exported["tbRezultati"][0]["Skor"])
        << "the counters and the results come from different moments";
}
