// SPDX-License-Identifier: GPL-3.0-or-later
// A write the disk refuses during play, committed behind the game as the window commits it,
// reaches the player at once as a database error, the game goes no further as though it had
// been stored, and the file keeps exactly what was stored before.
#include "app/Form1.h"
#include "support/ScriptSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace kvz;
using namespace kvz::test;

namespace {

// The player heard of the failure once, as a database error with its cause, and the game
// ended there.
void expectToldOnce(const std::vector<Json>& dumps, const std::string& cause) {
    auto said = messagesIn(dumps);
    ASSERT_EQ(said.size(), 1u) << ::testing::PrintToString(said);
    EXPECT_EQ(said[0]["icon"], "critical");
    EXPECT_EQ(said[0]["title"], "Kvizomat");
    EXPECT_TRUE(said[0]["text"].get<std::string>().starts_with("Упис у базу није успио: " + cause))
        << said[0]["text"];
    EXPECT_TRUE(dumps.back()["ended"]);
}

} // namespace

TEST(FailedWrites, aFullDiskIsSaidAtOnceAndTheFileKeepsWhatWasStored) {
    // A 512 KiB disk of its own, in a mount namespace of the test's own.
    if (runCommand("unshare --user --map-root-user --mount true") != 0)
        GTEST_SKIP() << "this machine allows no mount namespace for a small disk";
    ProgramFolder folder;
    const std::string fresh = freshDatabase();
    writeFile(folder.file("Baza.mdb"), fresh);
    writeFile(folder.file("games.script"), writingGames() + "dump\n");
    const std::string disk = folder.file("disk");
    std::filesystem::create_directory(disk);
    // The disk is filled to leave 4 to 8 KiB free: less than one commit's journal.
    const std::string steps =
        "set -e; mount -t tmpfs -o size=512k tmpfs " + disk + "; cp " + folder.file("Baza.mdb") +
        " " + disk + "/; free=$(df --output=avail -B1 " + disk + " | tail -1); head -c $((free - " +
        "6144)) /dev/zero > " + disk + "/fill; " + std::string(KVZ_PROGRAM_DIR) +
        "/kvizomat-script --write-behind --dir " + disk + " " + folder.file("games.script") +
        " > " + folder.file("out") + "; rm " + disk + "/fill; cp " + disk + "/Baza.mdb " +
        folder.file("Baza.mdb") + "; ls " + disk + " > " + folder.file("left");
    std::string out;
    ASSERT_EQ(runCommand("unshare --user --map-root-user --mount sh -c '" + steps + "'", &out), 0)
        << out;

    expectToldOnce(dumpsPrinted(readFile(folder.file("out"))), "на диску нема мјеста");
    EXPECT_EQ(readFile(folder.file("left")), "Baza.mdb\n") << "no journal left behind";
    EXPECT_EQ(integrity(Connection(folder.file("Baza.mdb"), kDatabasePassword)), "ok");
    EXPECT_EQ(folder.exportDatabase(), statesOf("start\n", fresh).front())
        << "the file holds a write the player was told had failed";
}

TEST(FailedWrites, aFolderMadeReadOnlyDuringPlayIsSaidAtTheNextEventAndTheGameGoesNoFurther) {
    ProgramFolder folder;
    // A first game is stored; then the folder refuses new files, such as the journal.
    const std::string script = "start\nfocus Text1\ntype \"Ana\"\nclick lblStart\nwait 6100\n"
                               "dump stored\nclick lblIzlaz\nclick lblStart\nwait 6100\n"
                               "click lblKviz(1)\nclick lblDANE(0)\nwait 3000\nwait 6100\ndump\n";
    auto text = asOrdinaryUser(folder.path(), [&] {
        Json dumps = Json::array();
        script::runScript(
            script, folder.path(), [&](const Json& d) { dumps.push_back(d); },
            [&](Form1& form, const Json& d) {
                if (d["label"] != "stored") return;
                form.Writes->settle();
                chmod(folder.path().c_str(), 0555);
            },
            DatabaseMode::WriteBehind);
        return dumps.dump();
    });
    chmod(folder.path().c_str(), 0755);
    ASSERT_TRUE(text);

    auto dumps = Json::parse(*text).get<std::vector<Json>>();
    EXPECT_TRUE(messagesIn({dumps.front()}).empty());
    expectToldOnce(dumps, "фасцикла игре или датотека Baza.mdb не дозвољава упис");
    Json stored = folder.exportDatabase();
    EXPECT_EQ(stored["tbStat"]["Start"], 1) << "the first game is kept";
    EXPECT_EQ(stored["tbStat"]["Tac"], 0) << "nothing after the failed write";
}
