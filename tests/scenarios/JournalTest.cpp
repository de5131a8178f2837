// SPDX-License-Identifier: GPL-3.0-or-later
// Files beside Baza.mdb that SQLite would use at the first open. The game's own journal,
// left by a crash, puts the file back in order; a journal that cannot be the file's own, or
// a log of another program's changes, is refused with a message naming it, and every file
// stays exactly as it was.
#include "data/Writer.h"
#include "support/RecordingVfs.h"
#include "support/ScriptSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace kvz;
using namespace kvz::test;

namespace {

namespace fs = std::filesystem;

struct Crash {
    std::string database; // the file as a crash leaves it
    std::string journal;  // the journal beside it

    void placeIn(const ProgramFolder& folder) const {
        writeFile(folder.file("Baza.mdb"), database);
        writeFile(folder.file("Baza.mdb-journal"), journal);
    }
};

// The files of `database` after `count` writes of Start, the last one cut short once its
// pages were in the file but before its journal was deleted.
Crash crashedWrite(const std::string& database, int count) {
    TempDir dir;
    writeFile(dir.file("Baza.mdb"), database);
    std::vector<FileOp> ops;
    {
        RecordingVfs vfs(dir.path().string());
        Connection conn(dir.file("Baza.mdb"), kDatabasePassword);
        conn.useRollbackJournal();
        auto writes = directWriter(conn);
        for (int i = 1; i <= count; ++i) writes->write("UPDATE tbStat SET Start = ?", {i});
        ops = vfs.ops();
    }
    Crash crash{database, {}};
    const FileOp* lastDelete = nullptr;
    for (const FileOp& op : ops)
        if (op.kind == FileOp::Kind::Delete) lastDelete = &op;
    for (const FileOp& op : ops) {
        if (&op == lastDelete) break;
        std::string& file = op.file == "Baza.mdb" ? crash.database : crash.journal;
        if (op.kind == FileOp::Kind::Delete) file.clear();
        if (op.kind == FileOp::Kind::Write || op.kind == FileOp::Kind::Truncate)
            applyTo(file, op, 0, op.data.size());
    }
    return crash;
}

// Starts the game on the folder; the message it showed, if any.
std::string startMessage(const ProgramFolder& folder) {
    const auto said = messagesIn(folder.run("start\ndump"));
    return said.empty() ? std::string() : said[0]["text"].get<std::string>();
}

} // namespace

TEST(Journals, theGamesOwnJournalPutsTheFileBackAsItWasBeforeTheCutWrite) {
    ProgramFolder folder(nullptr);
    crashedWrite(freshDatabase(), 3).placeIn(folder);
    EXPECT_EQ(startMessage(folder), "");
    EXPECT_EQ(folder.exportDatabase()["tbStat"]["Start"], 2);
    EXPECT_FALSE(fs::exists(folder.file("Baza.mdb-journal")));
}

TEST(Journals, aJournalThatCannotBeTheFilesOwnIsRefusedAndNothingIsRolledBack) {
    const std::string fresh = freshDatabase();
    // Another database's journal, of the same size: only its salt tells it apart.
    const Crash foreign = crashedWrite(freshDatabase(), 1);
    // An old crash's journal beside a backup copied over the file: the same salt, but the
    // backup is twelve writes on.
    const Crash old = crashedWrite(fresh, 1);
    const std::string backup = crashedWrite(old.database, 13).database;
    for (const Crash& mismatched : {Crash{fresh, foreign.journal}, Crash{backup, old.journal}}) {
        ProgramFolder folder(nullptr);
        mismatched.placeIn(folder);
        const auto before = filesIn(folder.path());
        const std::string said = startMessage(folder);
        EXPECT_TRUE(contains(said, "Baza.mdb-journal која не припада овој бази"));
        EXPECT_TRUE(filesIn(folder.path()) == before) << "a file was changed";
        std::string out;
        EXPECT_EQ(
            runCommand(KVZ_PROGRAM_DIR "/kvizomat-db export " + folder.file("Baza.mdb"), &out), 1);
        EXPECT_TRUE(contains(out, "does not belong to this database"));
        EXPECT_TRUE(filesIn(folder.path()) == before) << "the data tool changed a file";
    }
}

TEST(Journals, aJournalToRollBackInAReadOnlyFolderIsSaidPlainly) {
    ProgramFolder folder(nullptr);
    crashedWrite(freshDatabase(), 2).placeIn(folder);
    const auto before = filesIn(folder.path());
    auto said = asOrdinaryUser(folder.path(), [&] {
        chmod(folder.path().c_str(), 0555);
        return startMessage(folder);
    });
    chmod(folder.path().c_str(), 0755);
    ASSERT_TRUE(said);
    EXPECT_TRUE(said->starts_with("Поред базе је датотека Baza.mdb-journal са уписом који је "
                                  "прекинут, а фасцикла игре не дозвољава упис"))
        << *said;
    EXPECT_TRUE(filesIn(folder.path()) == before);
}

TEST(Journals, aFileInWalModeIsRefusedWithAnotherProgramsLogOrWhenBadAndLeftAsItWas) {
    ProgramFolder folder;
    TempDir left; // the files as that program leaves them while it has the database open
    {
        Connection other(folder.file("Baza.mdb"), kDatabasePassword);
        other.exec("PRAGMA journal_mode = WAL");
        other.exec("PRAGMA wal_autocheckpoint = 0");
        other.exec("UPDATE tbStat SET Start = 7");
        for (const char* name : {"Baza.mdb", "Baza.mdb-wal"})
            fs::copy_file(folder.file(name), left.file(name));
    }
    for (const char* name : {"Baza.mdb", "Baza.mdb-wal"})
        fs::copy_file(left.file(name), folder.file(name), fs::copy_options::overwrite_existing);
    fs::remove(folder.file("Baza.mdb-shm"));
    const auto before = filesIn(folder.path());
    ASSERT_TRUE(before.count("Baza.mdb-wal") == 1 && !before.at("Baza.mdb-wal").empty());
    const std::string said = startMessage(folder);
    EXPECT_TRUE(contains(said, "Baza.mdb-wal са измјенама које други програм још није уписао"));
    EXPECT_TRUE(filesIn(folder.path()) == before) << "a file was changed, made or removed";

    // A file in that mode with no log beside it is checked before it is turned back, and left
    // as it was when refused.
    Json bad = sampleFixture();
    bad["tbKviz"][0]["A"] = nullptr;
    for (const Json& fixture : {bad, sampleFixture()}) {
        ProgramFolder inWal(fixture);
        Connection(inWal.file("Baza.mdb"), kDatabasePassword).exec("PRAGMA journal_mode = WAL");
        const auto files = filesIn(inWal.path());
        ASSERT_EQ(files.count("Baza.mdb-wal"), 0u);
        const bool good = fixture == sampleFixture();
        EXPECT_EQ(startMessage(inWal).empty(), good);
        if (!good) {
            EXPECT_TRUE(filesIn(inWal.path()) == files) << "a refused file was changed";
        } else {
            Connection conn(inWal.file("Baza.mdb"), kDatabasePassword);
            auto mode = conn.prepare("PRAGMA journal_mode");
            ASSERT_TRUE(mode.step());
            EXPECT_EQ(mode.column(0).text(), "delete");
        }
    }
}
