// SPDX-License-Identifier: GPL-3.0-or-later
// One program writes a database at a time. The game keeps its counters in memory and writes
// them back, so a second writer beside it would lose every count the other one made: the
// database's own lock turns the second one away with a message, readers still read, and a
// program that dies lets the lock go.
#include "app/Form1.h"
#include "data/DatabaseLock.h"
#include "support/FakePlatform.h"
#include "support/ScriptSupport.h"

#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

using namespace kvz;
using namespace kvz::test;

TEST(OneWriter, aSecondProgramFindsTheGamesDatabaseTakenAndNoCountIsLost) {
    ProgramFolder folder;
    const std::string db = folder.file("Baza.mdb");
    writeFile(folder.file("games.script"), writingGames() + "dump\n");
    std::string out;
    auto run = [&](const std::string& program, const std::string& args) {
        return runCommand(std::string(KVZ_PROGRAM_DIR) + "/" + program + " " + args, &out);
    };
    const std::string games = "--dir " + folder.path() + " " + folder.file("games.script");
    FakePlatform platform;
    platform.folder = folder.path();
    platform.database = DatabaseMode::WriteBehind; // as the window plays
    Generator generator;
    auto window = std::make_unique<Form1>(platform, generator);
    window->Main();
    ASSERT_FALSE(window->ended);

    // The driver would play twelve games on the same file: it is turned away at its start.
    EXPECT_EQ(run("kvizomat-script", games), 0);
    auto said = messagesIn(dumpsPrinted(out));
    ASSERT_EQ(said.size(), 1u) << out;
    EXPECT_TRUE(said[0]["text"].get<std::string>().starts_with("База података је заузета"))
        << said[0];
    // The data tool may read it, not write it.
    EXPECT_EQ(run("kvizomat-db", "export " + db), 0) << out;
    writeFile(folder.file("q.txt"), "P\nA. a\nB. b\nC. c\nD. d\nANSWER: A\n");
    EXPECT_EQ(run("kvizomat-db", "import " + db + " --level 1 " + folder.file("q.txt")), 1);
    EXPECT_TRUE(contains(out, "in use"));
    writeFile(folder.file("f.json"), sampleFixture().dump());
    EXPECT_EQ(run("kvizomat-db", "create " + db + " " + folder.file("f.json")), 1);
    EXPECT_TRUE(contains(out, "in use"));

    // The window's own game counts on the counters it read, which nobody else changed.
    window->Text1.caption = "Ana";
    window->click(window->lblStart);
    window->endProgram();
    window.reset();
    Json stored = folder.exportDatabase();
    EXPECT_EQ(stored["tbStat"]["Start"], 1);
    EXPECT_EQ(stored["tbKviz"].size(), 15u);

    // Once the window is gone the driver plays.
    EXPECT_EQ(run("kvizomat-script", games), 0);
    EXPECT_TRUE(messagesIn(dumpsPrinted(out)).empty()) << out;
    EXPECT_EQ(folder.exportDatabase()["tbStat"]["Start"], 1 + kWritingGames);
}

TEST(OneWriter, aProgramThatDiesLetsTheLockGoAndAGameWindowIsToldFromAnyOtherHolder) {
    ProgramFolder folder;
    const std::string db = folder.file("Baza.mdb");
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        DatabaseLock lock(db);
        const char byte = 1;
        if (write(ready[1], &byte, 1) == 1) pause();
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    EXPECT_THROW(DatabaseLock{db}, DatabaseInUse);
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    EXPECT_NO_THROW(DatabaseLock{db});
    close(ready[0]);
    close(ready[1]);

    // Whether a second writer was told the holder is a game window; nothing when it got in.
    auto heldByGame = [&]() -> std::optional<bool> {
        try {
            DatabaseLock second(db);
        } catch (const DatabaseInUse& e) {
            return e.byGame();
        }
        return std::nullopt;
    };
    {
        DatabaseLock writer(db);
        EXPECT_EQ(heldByGame(), false);
    }
    DatabaseLock window(db, DatabaseLock::Kind::Window);
    DatabaseLock writer(db);
    EXPECT_EQ(heldByGame(), true);
    EXPECT_THROW(DatabaseLock(db, DatabaseLock::Kind::Window), DatabaseInUse);
}
