// SPDX-License-Identifier: GPL-3.0-or-later
// Where the game's writes go: committed behind the game in order, or on a scratch copy in
// memory that leaves the file alone; and the list of results kept in memory in the
// database's own order.
#include "data/Writer.h"

#include "data/Results.h"
#include "data/Settings.h"
#include "support/RecordingVfs.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <thread>

using namespace kvz;

namespace {

class WriterTest : public ::testing::Test {
  protected:
    WriterTest() : path(dir.file("Baza.mdb")) { createDatabase(path, test::sampleFixture(1)); }

    Connection open() const { return Connection(path, kDatabasePassword); }
    double stored(const char* field) const { return test::storedSetting(path, field).number(); }

    test::TempDir dir;
    std::string path;
};

constexpr const char* kSetStart = "UPDATE tbStat SET Start = ?";

TEST_F(WriterTest, writesBehindTheGameAreSeenOnceSettledAndAllCommittedInOrderAtTheEnd) {
    {
        auto writes = backgroundWriter(path);
        Connection game = open();
        Settings stat(game, *writes);
        stat.bump("Start");
        stat.bump("Start");
        writes->settle();
        EXPECT_EQ(stored("Start"), 2) << "settled writes are seen by another connection";
        for (int i = 1; i <= 40; ++i) writes->write(kSetStart, {i});
        writes->write("UPDATE tbStat SET Tac = Start", {});
    } // nothing settled: going away commits what is still waiting
    EXPECT_EQ(stored("Start"), 40);
    EXPECT_EQ(stored("Tac"), 40) << "a later write saw every earlier one";
}

TEST_F(WriterTest, aFailedWriteIsReportedOnceSettledOrAtOnceIfDirectAndLaterOnesAreDropped) {
    auto writes = backgroundWriter(path);
    writes->write(kSetStart, {5});
    writes->write("UPDATE tbNema SET Start = 1", {});
    writes->write(kSetStart, {6});
    try {
        writes->settle();
        FAIL() << "the failure was not reported";
    } catch (const DbError& e) {
        EXPECT_TRUE(test::contains(e.what(), "tbNema"));
    }
    EXPECT_NO_THROW(writes->settle());
    writes->write(kSetStart, {7});
    EXPECT_NO_THROW(writes->settle());
    EXPECT_EQ(stored("Start"), 5) << "nothing after the failed write was committed";

    // A file the writer cannot open fails its first write.
    auto nowhere = backgroundWriter(dir.file("nowhere/Baza.mdb"));
    nowhere->write(kSetStart, {5});
    EXPECT_THROW(nowhere->settle(), DbError);
    EXPECT_NO_THROW(nowhere->settle());

    // A direct write fails at once.
    Connection conn = open();
    auto direct = directWriter(conn);
    EXPECT_THROW(direct->write("UPDATE tbNema SET Start = 1", {}), DbError);
    direct->write(kSetStart, {9});
    EXPECT_EQ(stored("Start"), 9);
}

TEST_F(WriterTest, aReadWaitsOutACommitThatHoldsTheFileForSeconds) {
    test::RecordingVfs vfs(dir.path().string());
    Connection reader = open();
    Connection slow = open();
    slow.exec("BEGIN EXCLUSIVE"); // as a commit holds the file while it is flushed
    // The file is let go once the reader has waited two and a half seconds for it.
    std::thread release([&] {
        if (vfs.awaitSleep(2'500'000)) slow.exec("COMMIT");
    });
    EXPECT_NO_THROW(reader.prepare("SELECT count(*) FROM tbKviz").step());
    vfs.stopWaiting();
    release.join();
}

TEST_F(WriterTest, aScratchCopyHoldsEveryRowAndIndexAndLeavesTheFileAlone) {
    const std::string original = test::readFile(path);
    {
        Connection file = open();
        auto copy = Connection::inMemoryCopy(file);
        for (const char* query :
             {"SELECT rowid, * FROM tbKviz", "SELECT rowid, * FROM tbStat",
              "SELECT rowid, * FROM tbRezultati", "SELECT rowid, * FROM tbSar",
              "SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY name"}) {
            auto a = file.prepare(query), b = copy->prepare(query);
            int rows = 0;
            for (bool more = a.step(); more; more = a.step(), ++rows) {
                ASSERT_TRUE(b.step()) << query << ": the copy ends at row " << rows;
                EXPECT_EQ(a.row(), b.row()) << query << ", row " << rows;
            }
            EXPECT_FALSE(b.step()) << query << ": the copy has more rows";
            EXPECT_GT(rows, 0) << query;
        }
        copy->exec("UPDATE tbStat SET Start = 1234");
        copy->exec("DELETE FROM tbKviz");
    }
    EXPECT_EQ(test::readFile(path), original);
}

TEST_F(WriterTest, theResultsInMemoryKeepTheDatabasesOrderThroughOverwrites) {
    Json f = test::sampleFixture(1);
    // Ties on both keys, free rows (Null), whole and fractional scores, a level as text.
    const Json rows[] = {
        {{"Ime", "Ana"}, {"RB", 7}, {"Skor", 4000}, {"Datum", "2026-01-01"}},
        {{"Ime", "Bojan"}, {"RB", 7}, {"Skor", 4000.5}, {"Datum", "2026-01-02"}},
        {{"Ime", "Ceca"}, {"RB", 7}, {"Skor", 4000}, {"Datum", "2026-01-03"}},
        {{"Ime", nullptr}, {"RB", nullptr}, {"Skor", nullptr}, {"Datum", nullptr}},
        {{"Ime", "Dule"}, {"RB", 15}, {"Skor", 1000000}, {"Datum", "2026-01-04"}},
        {{"Ime", "Eva"}, {"RB", "deset"}, {"Skor", 10}, {"Datum", "2026-01-05"}},
        {{"Ime", "Fica"}, {"RB", 0}, {"Skor", 0}, {"Datum", "2026-01-06"}},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) f["tbRezultati"][i] = rows[i];
    createDatabase(path, f);
    Connection conn(path, kDatabasePassword);
    auto writes = directWriter(conn);
    Results results(conn, *writes);
    auto inSqlOrder = [&conn] {
        std::vector<std::int64_t> ids;
        auto st = conn.prepare("SELECT rowid FROM tbRezultati ORDER BY RB DESC, Skor DESC, rowid");
        while (st.step()) ids.push_back(static_cast<std::int64_t>(st.column(0).number()));
        return ids;
    };
    auto inMemoryOrder = [&results] {
        std::vector<std::int64_t> ids;
        for (const ResultRow& r : results.ordered()) ids.push_back(r.rowid);
        return ids;
    };
    EXPECT_EQ(inMemoryOrder(), inSqlOrder());
    results.overwrite(results.ordered().back().rowid, "Goca", 7, 4000, "2026-02-01");
    EXPECT_EQ(inMemoryOrder(), inSqlOrder());
    results.overwrite(results.ordered()[3].rowid, "Hana", 15, 2000000, "2026-02-02");
    EXPECT_EQ(inMemoryOrder(), inSqlOrder());
    // A level stored as text comes before every number, as in the database.
    EXPECT_EQ(results.ordered()[0].ime.text(), "Eva");
    EXPECT_EQ(results.ordered()[1].ime.text(), "Hana");
    EXPECT_EQ(Results(Connection(path, kDatabasePassword), *writes).ordered()[1].ime.text(), "Hana")
        << "the overwrite is on disk";
    EXPECT_THROW(results.overwrite(999, "Niko", 1, 1, "2026-02-03"), DbError);
}

} // namespace
