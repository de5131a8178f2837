// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, the opening screen and a new game, played through the driver.
#include "GameScript.h"
#include "support/ScriptSupport.h"

#include <gtest/gtest.h>

using namespace kvz;
using namespace kvz::test;

namespace {

constexpr int kNavy = 0x800000, kWhite = 0xFFFFFF, kOrange = 0x0080FF;

// Rungs 1, 6 and 11 are checkpoints, white with navy text; `orange` is the rung played.
void expectRestingLadder(const Json& dump, int orange = 0) {
    for (int i = 1; i <= 15; ++i)
        for (const char* name : {"Label3", "lblCIFRA"}) {
            const Json& c = control(dump, element(name, i));
            const bool checkpoint = i == 1 || i == 6 || i == 11;
            EXPECT_EQ(std::pair(c["back"].get<int>(), c["fore"].get<int>()),
                      i == orange  ? std::pair(kOrange, kWhite)
                      : checkpoint ? std::pair(kWhite, kNavy)
                                   : std::pair(kNavy, kWhite))
                << name << i;
        }
}

} // namespace

TEST(Startup, aSecondCopyEndsSilentlyAndTouchesNothing) {
    ProgramFolder folder;
    Json before = folder.exportDatabase();
    const Json d = dumpLabelled(folder.run("running\nstart\ndump end"), "end");
    EXPECT_TRUE(d["ended"]);
    EXPECT_TRUE(eventsOf(d, "message").empty());
    EXPECT_EQ(eventsOf(d, "status"), std::vector<Json>{0}) << "a success";
    EXPECT_EQ(folder.exportDatabase(), before);
}

TEST(Startup, theScreenHeightChoosesTheWindowOrRefusesTheScreen) {
    ProgramFolder folder;
    const Json refused = dumpLabelled(folder.run("screen 9600 7150\nstart\ndump d"), "d");
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
    const Json d = dumpLabelled(ProgramFolder(fixture).run("start\ndump d"), "d");
    EXPECT_FALSE(d["ended"]);
    expectRestingLadder(d);
    EXPECT_EQ(captions(d, {"lblStart", "lblIzlaz", "lblVer", "lblIme", "Label8(1)"}),
              (Captions{"Start", "Izlaz", "Ver: 06.12.2026-45", "Suncu, 10.06.2003.", "7"}));
    EXPECT_EQ(d["fields"]["QuestionCount"][3], 3);
    EXPECT_TRUE(d["timers"]["Timer1"]["enabled"]);
    for (const char* off : {"Timer2", "Timer3", "Timer4", "Timer5", "timNajava"})
        EXPECT_FALSE(d["timers"][off]["enabled"]) << off;
    // The first layout shows the signature, the points heading and the web address.
    for (const char* shown : {"Text1", "imgPotpis", "Label1(0)", "lblFirma(2)"})
        EXPECT_TRUE(visible(d, shown)) << shown;
    EXPECT_EQ(d["focus"], "Text1");
    EXPECT_FALSE(d["keyPreview"]);
}

TEST(Startup, theInstallationNameAndTheSponsorSettingAreRead) {
    Json fixture = sampleFixture(1, false);
    fixture["tbStat"]["Ime"] = "[kola Ve~e";
    fixture["tbStat"]["Reklama"] = 1;
    const Json d = dumpLabelled(ProgramFolder(fixture).run("start\ndump d"), "d");
    EXPECT_EQ(caption(d, "lblIme"), "[kola Ve~e");
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
    EXPECT_EQ(captions(d, {"lblStart", "lblOsv", "lblBod", "lblTraka", "lblIzlaz", "Label8(1)",
                           "Label7(1)"}),
              (Captions{" Pera Kova~", "0", "1", "100", "Odustajem", "1",
                        "Pera Kova~: Koliko si siguran?"}));
    EXPECT_FALSE(visible(d, "Text1") || visible(d, "lblFirma(2)"));
    for (int i = 0; i <= 5; ++i) EXPECT_EQ(visible(d, element("Image2", i)), i % 2 == 0) << i;
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
        const Json d = dumpLabelled(folder.run(std::string("start\nfocus Text1\ntype \"") + name +
                                               "\"\nclick lblStart\ndump d"),
                                    "d");
        EXPECT_EQ(caption(d, "lblStart"), "Start") << name;
        EXPECT_TRUE(visible(d, "Text1")) << name;
        EXPECT_EQ(d["focus"], "Text1") << name;
    }
    EXPECT_EQ(folder.exportDatabase()["tbStat"]["Start"], 0);
    const Json& three =
        dumpLabelled(folder.run("start\nfocus Text1\ntype \" ana \"\nclick lblStart\ndump d"), "d");
    EXPECT_EQ(caption(three, "lblStart"), " Ana");
}
