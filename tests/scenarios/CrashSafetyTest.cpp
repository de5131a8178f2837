// SPDX-License-Identifier: GPL-3.0-or-later
// A kill at any moment leaves Baza.mdb whole and loses at most the writes in flight: the
// driver plays games that write after almost every step and is killed (SIGKILL) at random
// moments; each time the file must pass the integrity check and hold exactly one of the
// states the same games pass through when left to run. Every other run commits the writes
// behind the game, as the window does.
//
// KVZ_KILL_RUNS sets the number of kills (20 by default).
#include "data/Database.h"
#include "support/ScriptSupport.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <optional>
#include <random>
#include <sys/wait.h>
#include <thread>

using namespace kvz;
using namespace kvz::test;

namespace {

using Clock = std::chrono::steady_clock;

// Runs the driver, committing behind the game or not; with `killAfter` it is killed (SIGKILL)
// after that many microseconds. Returns whether it had already ended by itself.
bool runDriver(const std::string& folder, const std::string& scriptFile,
               std::optional<std::int64_t> killAfter, bool writeBehind = false) {
    std::vector<std::string> args{std::string(KVZ_PROGRAM_DIR) + "/kvizomat-script", "--dir",
                                  folder, scriptFile};
    if (writeBehind) args.insert(args.begin() + 1, "--write-behind");
    const pid_t pid = startQuietly(args);
    EXPECT_GT(pid, 0);
    int status = 0;
    bool endedAlone = true;
    if (killAfter) {
        std::this_thread::sleep_for(std::chrono::microseconds(*killAfter));
        endedAlone = waitpid(pid, &status, WNOHANG) == pid;
        if (!endedAlone) kill(pid, SIGKILL);
    }
    if (!endedAlone || !killAfter) waitpid(pid, &status, 0);
    return endedAlone;
}

} // namespace

TEST(CrashSafety, aKillAtAnyMomentLeavesTheFileWholeAndLosesOnlyTheWritesInFlight) {
    const int runs = static_cast<int>(countFromEnvironment("KVZ_KILL_RUNS", 20));
    std::string script = writingGames();
    std::string fresh = freshDatabase();
    std::vector<Json> states = statesOf(script, fresh);
    ASSERT_GT(states.size(), 3u * kWritingGames);

    ProgramFolder folder(nullptr);
    writeFile(folder.file("games.script"), script);
    writeFile(folder.file("start.script"), "start\n");
    std::string db = folder.file("Baza.mdb"), journal = db + "-journal";

    // The kills fall between the end of the start-up, which writes nothing, and the end of
    // the games left to run, whatever the speed of the machine and its disk.
    auto timed = [&](const char* file) {
        writeFile(db, fresh);
        const auto began = Clock::now();
        runDriver(folder.path(), folder.file(file), std::nullopt);
        return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - began).count();
    };
    std::int64_t ready = timed("start.script");
    std::int64_t span = timed("games.script");
    ready = std::min(ready, span / 2);
    ASSERT_EQ(exportDatabase(Connection(db, kDatabasePassword)), states.back())
        << "the driver and the trace disagree";

    std::mt19937_64 random(std::random_device{}());
    int inFlight = 0, midway = 0, untouched = 0, finished = 0;
    for (int run = 0; run < runs; ++run) {
        std::filesystem::remove(journal);
        writeFile(db, fresh);
        std::int64_t delay = std::uniform_int_distribution<std::int64_t>(ready, span)(random);
        const bool writeBehind = run % 2 == 1;
        bool endedAlone = runDriver(folder.path(), folder.file("games.script"), delay, writeBehind);
        inFlight += std::filesystem::exists(journal) ? 1 : 0;

        Connection conn(db, kDatabasePassword); // rolls back a write cut short
        const std::string how = writeBehind ? " (writes behind)" : "";
        ASSERT_EQ(integrity(conn), "ok")
            << "run " << run << how << ", killed after " << delay << " us";
        Json now = exportDatabase(conn);
        auto at = std::find(states.begin(), states.end(), now);
        ASSERT_NE(at, states.end()) << "run " << run << how << ", killed after " << delay
                                    << " us: the file holds a state the games never had";
        const bool first = at == states.begin(), last = at + 1 == states.end();
        EXPECT_TRUE(last || !endedAlone)
            << "run " << run << how << " ended short of the last state";
        finished += endedAlone ? 1 : 0;
        untouched += first ? 1 : 0;
        midway += !first && !last ? 1 : 0;
    }
    std::cout << "crash safety: " << runs << " kills " << ready / 1000 << " to " << span / 1000
              << " ms into runs of " << states.size() - 1 << " writes; " << inFlight
              << " cut a write short (journal left), " << midway
              << " stopped between the first and the last write, " << untouched
              << " before the first, " << finished << " after the games ended\n";
}
