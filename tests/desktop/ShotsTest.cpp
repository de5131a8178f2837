#include "support/ScriptSupport.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace kvz::test;

TEST(Shots, aLabelledDumpOfAScriptIsSavedAsThePaintedWindow) {
    ProgramFolder folder(sampleFixture(2));
    TempDir out;
    writeFile(folder.file("s.ksc"),
              "start\nfocus Text1\ntype \"marko\"\nkey 13\nwait 6100\ndump question\ndump\n");
    std::string output;
    int status = runCommand("QT_QPA_PLATFORM=offscreen " + std::string(KVZ_PROGRAM_DIR) +
                                "/kvizomat-shots " + folder.path() + " " + folder.file("s.ksc") +
                                " " + out.path().string(),
                            &output);
    ASSERT_EQ(status, 0) << output;
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
    int status = runCommand("QT_QPA_PLATFORM=offscreen " + std::string(KVZ_PROGRAM_DIR) +
                                "/kvizomat-shots " + folder.path() + " " + folder.file("s.ksc") +
                                " " + out.path().string(),
                            &output);
    EXPECT_EQ(status, 2);
    EXPECT_NE(output.find("line 2"), std::string::npos) << output;
}
