// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, the opening screen and a new game, played through the driver.
#include "support/ScriptSupport.h"

#include <gtest/gtest.h>

using namespace kvz;
using namespace kvz::test;

namespace {

constexpr int kNavyValue = 0x800000, kWhiteValue = 0xFFFFFF, kOrangeValue = 0x0080FF;

// Rungs 1, 6 and 11 (indices 15, 10, 5) are checkpoints: white with navy text.
void expectRestingLadder(const Json& dump, int orangeIndex = 0) {
    for (int i = 1; i <= 15; ++i) {
        for (const char* name : {"Label3", "lblCIFRA"}) {
            const Json& c = control(dump, std::string(name) + "(" + std::to_string(i) + ")");
            bool checkpoint = i == 1 || i == 6 || i == 11;
            if (i == orangeIndex) {
                EXPECT_EQ(c["back"], kOrangeValue) << name << i;
                EXPECT_EQ(c["fore"], kWhiteValue) << name << i;
            } else {
                EXPECT_EQ(c["back"], checkpoint ? kWhiteValue : kNavyValue) << name << i;
                EXPECT_EQ(c["fore"], checkpoint ? kNavyValue : kWhiteValue) << name << i;
            }
        }
    }
}

} // namespace

TEST(Startup, aSecondCopyEndsSilentlyAndTouchesNothing) {
    ProgramFolder folder;
    Json before = folder.exportDatabase();
    auto dumps = folder.run("running\nstart\ndump end");
    const Json& d = dumpLabelled(dumps, "end");
    EXPECT_TRUE(d["ended"]);
    EXPECT_TRUE(eventsOf(d, "message").empty());
    EXPECT_EQ(eventsOf(d, "status"), std::vector<Json>{0}) << "a success";
    EXPECT_EQ(folder.exportDatabase(), before);
}

TEST(Startup, theScreenHeightChoosesTheWindowOrRefusesTheScreen) {
    ProgramFolder folder;
    auto small = folder.run("screen 9600 7150\nstart\ndump d");
    const Json& refused = dumpLabelled(small, "d");
    EXPECT_TRUE(refused["ended"]);
    auto messages = eventsOf(refused, "message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0]["text"],
              "Promijenite postavljenje displeja na Small Font i rezoluciju najmanje 800 x 600.");
    EXPECT_EQ(messages[0]["icon"], "critical");
    EXPECT_EQ(eventsOf(refused, "status"), std::vector<Json>{1});

    const Json& full = dumpLabelled(folder.run("screen 12000 8900\nstart\ndump d"), "d");
    EXPECT_FALSE(full["ended"]);
    EXPECT_TRUE(full["fields"]["SmallScreen"]);
    EXPECT_EQ(control(full, "Form1")["width"], 12000 - 90);
    EXPECT_EQ(control(full, "Form1")["height"], 8900 - 306);

    const Json& fixed = dumpLabelled(folder.run("screen 12000 8901\nstart\ndump d"), "d");
    EXPECT_FALSE(fixed["fields"]["SmallScreen"]);
    EXPECT_EQ(control(fixed, "Form1")["width"], 11910);
    EXPECT_EQ(control(fixed, "Form1")["height"], 8910);
}

TEST(Startup, theOpeningScreenShowsTheLadderStartTheNameBoxAndTheQuestionTotal) {
    Json fixture = sampleFixture(3);
    fixture["tbStat"]["Datum"] = "06.12.2026";
    fixture["tbStat"]["Start"] = 7;
    ProgramFolder folder(fixture);
    const Json& d = dumpLabelled(folder.run("start\ndump d"), "d");
    EXPECT_FALSE(d["ended"]);
    expectRestingLadder(d);
    EXPECT_EQ(control(d, "lblStart")["caption"], "Start");
    EXPECT_EQ(control(d, "lblIzlaz")["caption"], "Izlaz");
    EXPECT_TRUE(control(d, "Text1")["visible"]);
    EXPECT_EQ(control(d, "lblVer")["caption"], "Ver: 06.12.2026-45");
    EXPECT_EQ(control(d, "lblIme")["caption"], "Suncu, 10.06.2003.");
    EXPECT_EQ(control(d, "Label8(1)")["caption"], "7");
    EXPECT_EQ(d["fields"]["QuestionCount"][3], 3);
    EXPECT_TRUE(d["timers"]["Timer1"]["enabled"]);
    for (const char* off : {"Timer2", "Timer3", "Timer4", "Timer5", "timNajava"})
        EXPECT_FALSE(d["timers"][off]["enabled"]) << off;
    // The first layout shows the signature, the points heading and the web address.
    EXPECT_TRUE(control(d, "imgPotpis")["visible"]);
    EXPECT_TRUE(control(d, "Label1(0)")["visible"]);
    EXPECT_TRUE(control(d, "lblFirma(2)")["visible"]);
    EXPECT_EQ(d["focus"], "Text1");
    EXPECT_FALSE(d["keyPreview"]);
}

TEST(Startup, theInstallationNameAndTheSponsorSettingAreRead) {
    Json fixture = sampleFixture(1, false);
    fixture["tbStat"]["Ime"] = "[kola Ve~e";
    fixture["tbStat"]["Reklama"] = 1;
    ProgramFolder folder(fixture);
    const Json& d = dumpLabelled(folder.run("start\ndump d"), "d");
    EXPECT_EQ(control(d, "lblIme")["caption"], "[kola Ve~e");
    EXPECT_TRUE(d["fields"]["AdvertShown"]);
    EXPECT_EQ(d["fields"]["CollaboratorCount"], 0);
}

TEST(NewGame, aNameAndStartBeginTheGameAndCountItOnDiskOnce) {
    ProgramFolder folder;
    auto dumps =
        folder.run("start\nfocus Text1\ntype \"  pera kova~  \"\nclick lblStart\ndump started\n"
                   "click lblStart\ndump again");
    const Json& d = dumpLabelled(dumps, "started");
    expectRestingLadder(d, 15);
    EXPECT_EQ(control(d, "lblStart")["caption"], " Pera Kova~");
    EXPECT_EQ(control(d, "lblOsv")["caption"], "0");
    EXPECT_EQ(control(d, "lblBod")["caption"], "1");
    EXPECT_EQ(control(d, "lblTraka")["caption"], "100");
    EXPECT_EQ(control(d, "lblIzlaz")["caption"], "Odustajem");
    EXPECT_EQ(control(d, "Label8(1)")["caption"], "1");
    EXPECT_EQ(control(d, "Label7(1)")["caption"], "Pera Kova~: Koliko si siguran?");
    EXPECT_FALSE(control(d, "Text1")["visible"]);
    EXPECT_FALSE(control(d, "lblFirma(2)")["visible"]);
    for (int i = 0; i <= 5; ++i)
        EXPECT_EQ(control(d, "Image2(" + std::to_string(i) + ")")["visible"], i % 2 == 0);
    EXPECT_TRUE(d["keyPreview"]);
    EXPECT_EQ(d["focus"], nullptr) << "a hidden name box cannot keep the focus";
    EXPECT_EQ(eventsOf(d, "beep").size(), 1u);
    EXPECT_EQ(d["fields"]["QuestionNo"], 1);
    EXPECT_EQ(d["fields"]["FriendCertainty"], "100 %");
    EXPECT_TRUE(d["timers"]["Timer2"]["enabled"]);
    EXPECT_TRUE(d["timers"]["Timer5"]["enabled"]);
    EXPECT_EQ(folder.exportDatabase()["tbStat"]["Start"], 1);

    // A second click finds the name in the caption and changes nothing.
    const Json& again = dumpLabelled(dumps, "again");
    EXPECT_EQ(again["controls"], d["controls"]);
    EXPECT_EQ(folder.exportDatabase()["tbStat"]["Start"], 1);
}

TEST(NewGame, aNameOfFewerThanThreeCharactersStartsNothing) {
    ProgramFolder folder;
    for (const char* name : {"  ab  ", "- - -", "a-", ""}) {
        auto dumps = folder.run(std::string("start\nfocus Text1\ntype \"") + name +
                                "\"\nclick lblStart\ndump d");
        const Json& d = dumpLabelled(dumps, "d");
        EXPECT_EQ(control(d, "lblStart")["caption"], "Start") << name;
        EXPECT_TRUE(control(d, "Text1")["visible"]) << name;
        EXPECT_EQ(d["focus"], "Text1") << name;
    }
    EXPECT_EQ(folder.exportDatabase()["tbStat"]["Start"], 0);
    const Json& three =
        dumpLabelled(folder.run("start\nfocus Text1\ntype \" ana \"\nclick lblStart\ndump d"), "d");
    EXPECT_EQ(control(three, "lblStart")["caption"], " Ana");
}
