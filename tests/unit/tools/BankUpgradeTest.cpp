// SPDX-License-Identifier: GPL-3.0-or-later
// kvizomat-db release and upgrade: the bundled bank is a release, a player's copy is brought
// up to a newer one and the tool says what changed, and a kill at any moment of an upgrade
// leaves the copy either as it was or wholly upgraded.
#include "common/BankImport.h"
#include "data/BankRelease.h"
#include "data/DatabaseCheck.h"
#include "data/DatabaseLock.h"
#include "support/TestSupport.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>
#include <sys/wait.h>
#include <thread>

using namespace kvz;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

const std::string kTool = std::string(KVZ_PROGRAM_DIR) + "/kvizomat-db";
const std::string kBundled = std::string(KVZ_PROGRAM_DIR) + "/Baza.mdb";

int run(const std::string& args, std::string* out) {
    return test::runCommand(kTool + " " + args, out);
}

// A player's copy of the bundled bank, played on: counters and a question of his own.
std::string playedCopy(const test::TempDir& dir) {
    const std::string path = dir.file("Baza.mdb");
    fs::copy_file(kBundled, path);
    Connection conn(path, kDatabasePassword);
    conn.exec("UPDATE tbStat SET Start = 9, Tac = 30, Netac = 4");
    conn.exec("INSERT INTO tbKviz (Pitanje, A, B, V, G, RB, Tac) "
              "VALUES ('Moje pitawe', 'a', 'b', 'v', 'g', 5, 2)");
    return path;
}

// The next release: the bundled bank with `added` more questions.
std::string nextRelease(const test::TempDir& dir, int added) {
    const std::string path = dir.file("Nova.mdb");
    fs::copy_file(kBundled, path);
    Connection conn(path, kDatabasePassword);
    {
        Transaction tx(conn);
        QuestionInserter insert(conn);
        BankQuestion q{0, "", {"prvi", "drugi", "tre}i", "~etvrti"}, 1, 1, std::nullopt};
        for (int i = 0; i < added; ++i) {
            q.pitanje = "Novo pitawe " + std::to_string(i);
            q.rb = i % 15 + 1;
            insert.add(q);
        }
        tx.commit();
    }
    markRelease(conn, bankRelease(conn) + 1, {});
    return path;
}

// The database as the game would open it (a journal a kill left is rolled back first).
Json opened(const std::string& path, std::int64_t& release) {
    DatabaseLock lock(path);
    auto conn = openCheckedDatabase(path, &lock);
    release = bankRelease(*conn);
    return exportDatabase(*conn);
}

} // namespace

TEST(BankUpgrade, theBundledBankIsReleaseOneAndKnowsTheTextsOfTheBanksBeforeIt) {
    Connection conn(kBundled, kDatabasePassword);
    EXPECT_GE(bankRelease(conn), 1);
    std::istringstream earlier(
        test::readFile(std::string(KVZ_SOURCE_DIR) + "/assets/bank/released-before.txt"));
    auto known = conn.prepare("SELECT 1 FROM kvzKnown WHERE Pitanje = ?");
    std::size_t lines = 0;
    for (std::string text; std::getline(earlier, text); ++lines) {
        known.bind(1, text);
        EXPECT_TRUE(known.step()) << text;
        known.reset();
    }
    EXPECT_GE(lines, 360u) << "the first bank held 360 questions";
}

TEST(BankUpgrade, theToolUpgradesACopyAndSaysWhatChanged) {
    test::TempDir dir;
    const std::string player = playedCopy(dir);
    const std::string templ = nextRelease(dir, 15);
    const std::int64_t bundled = countRows(Connection(kBundled, kDatabasePassword), "tbKviz");
    std::string out;
    ASSERT_EQ(run("upgrade " + player + " " + templ, &out), 0) << out;
    for (const std::string& said :
         {"bank release 1 upgraded to 2"s,
          std::to_string(bundled) + " released question(s) replaced by the new release's " +
              std::to_string(bundled + 15),
          "1 question(s) of the player's own kept"s})
        EXPECT_TRUE(test::contains(out, said));
    std::int64_t release = 0;
    const Json after = opened(player, release);
    EXPECT_EQ(release, 2);
    EXPECT_EQ(after["tbKviz"].size(), static_cast<std::size_t>(bundled + 16));
    EXPECT_EQ(after["tbStat"]["Start"], 9);

    EXPECT_EQ(run("upgrade " + player + " " + templ, &out), 0) << out;
    EXPECT_TRUE(test::contains(out, "nothing to change"));
    EXPECT_EQ(run("upgrade " + player + " " + dir.file("nema.mdb"), &out), 1);
    EXPECT_TRUE(test::contains(out, "no such file"));
    EXPECT_EQ(run("release " + player + " nula", &out), 2);
}

TEST(BankUpgrade, aKillAtAnyMomentOfAnUpgradeLeavesTheCopyAsItWasOrWhollyUpgraded) {
    test::TempDir dir;
    const std::string player = playedCopy(dir);
    // A large release, so that the kills fall inside the transaction as well as around it.
    const std::string templ = nextRelease(dir, 20'000);
    const std::string old = test::readFile(player);
    std::int64_t release = 0;
    const Json before = opened(player, release);
    ASSERT_EQ(release, 1);

    const auto start = std::chrono::steady_clock::now();
    std::string out;
    ASSERT_EQ(run("upgrade " + player + " " + templ, &out), 0) << out;
    const auto span = std::chrono::duration_cast<std::chrono::microseconds>(
                          std::chrono::steady_clock::now() - start)
                          .count();
    const Json upgraded = opened(player, release);
    ASSERT_EQ(release, 2);

    int interrupted = 0, leftAsItWas = 0;
    constexpr int kKills = 10;
    for (int k = 1; k <= kKills; ++k) {
        // Spread over half as long again as an upgrade took: the last ones fall on the commit
        // or after the end, however the process is slowed by the machine's other work.
        const std::int64_t delay = span * k * 3 / (2 * kKills);
        SCOPED_TRACE("killed after " + std::to_string(delay) + " us");
        test::writeFile(player, old);
        fs::remove(asideCopyPath(player));
        const pid_t pid = test::startQuietly({kTool, "upgrade", player, templ});
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(delay));
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) != pid) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            ++interrupted;
        }
        const Json now = opened(player, release);
        leftAsItWas += release == 1;
        EXPECT_EQ(now, release == 1 ? before : upgraded) << "release " << release;
    }
    EXPECT_GT(interrupted, 0) << "no kill fell inside an upgrade";
    std::cout << "upgrade kills: " << interrupted << " of " << kKills << " before the end, "
              << leftAsItWas << " left the copy as it was; an upgrade took " << span / 1000
              << " ms\n";
    // Once the copy was left as it was, the next start upgrades it.
    ASSERT_EQ(run("upgrade " + player + " " + templ, &out), 0) << out;
    EXPECT_EQ(opened(player, release), upgraded);
}
