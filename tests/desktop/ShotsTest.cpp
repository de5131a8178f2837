// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScriptSupport.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace kvz::test;

namespace {

// Runs the screenshot program on a script of the folder; returns its exit status.
int shots(const ProgramFolder& folder, const TempDir& out, std::string& output) {
    return runCommand("QT_QPA_PLATFORM=offscreen " + std::string(KVZ_PROGRAM_DIR) +
                          "/kvizomat-shots " + folder.path() + " " + folder.file("s.ksc") + " " +
                          out.path().string(),
                      &output);
}

} // namespace

TEST(Shots, aLabelledDumpOfAScriptIsSavedAsThePaintedWindow) {
    ProgramFolder folder(sampleFixture(2));
    TempDir out;
    writeFile(folder.file("s.ksc"),
              "start\nfocus Text1\ntype \"marko\"\nkey 13\nwait 6100\ndump question\ndump\n");
    std::string output;
    ASSERT_EQ(shots(folder, out, output), 0) << output;
    EXPECT_NE(output.find("saved 1 picture"), std::string::npos)
        << output; // unlabelled dumps are not saved
    QImage shot(QString::fromStdString(out.file("question.png")));
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.width(), 11910 / 15);
    // The current rung is painted orange at the bottom of the ladder.
    EXPECT_EQ(shot.pixelColor(shot.width() - 20, 8 + 7890 / 15).rgb() & 0xFFFFFF, 0xFF8000u);
}

TEST(Shots, aMalformedScriptSavesNothingAndSaysWhere) {
    ProgramFolder folder;
    TempDir out;
    writeFile(folder.file("s.ksc"), "start\nfrobnicate\n");
    std::string output;
    EXPECT_EQ(shots(folder, out, output), 2);
    EXPECT_NE(output.find("line 2"), std::string::npos) << output;
}

// The screenshot tour must keep reaching the states it names as the game changes.
TEST(Shots, theTourReachesEveryStateItNames) {
    const std::string shots = std::string(KVZ_SOURCE_DIR) + "/tools/shots/";
    ProgramFolder folder(kvz::Json::parse(readFile(shots + "tour-bank.json")));
    const std::vector<kvz::Json> dumps =
        folder.run("screen 12000 9000\n" + readFile(shots + "tour.txt"));
    auto shown = [&](const std::string& label, const std::string& key) {
        return control(dumpLabelled(dumps, label), key)["visible"].get<bool>();
    };
    EXPECT_TRUE(shown("03-confirmation", "Frame1"));
    EXPECT_TRUE(shown("04-friend", "Frame2"));
    EXPECT_TRUE(shown("05-audience", "shpPub(0)"));
    EXPECT_EQ(control(dumpLabelled(dumps, "06-win"), "lblNajava(0)")["caption"], "TA^NO!!!");
    EXPECT_TRUE(shown("07-sponsor", "imgMilion"));
    EXPECT_TRUE(shown("08-help", "picHelp"));
    EXPECT_TRUE(shown("09-wrong-answer", "imgDrugar"));
    EXPECT_TRUE(shown("10-game-over", "lblStart"));
    EXPECT_EQ(control(dumpLabelled(dumps, "10-game-over"), "lblNajava(3)")["caption"], "NOVA IGRA");
}
