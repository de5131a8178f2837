// SPDX-License-Identifier: GPL-3.0-or-later
// The win celebration and the help screen, played through the driver.
#include "GameScript.h"
#include "app/Form1.h"
#include "support/ScriptSupport.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

using namespace kvz;
using namespace kvz::test;

namespace {

// Plays a whole game to the top prize: each question is announced (6 s), answered with A
// (the right answer of every question of the sample bank) and celebrated (3 s).
std::string winningGame() {
    std::string s = "start\ntype \"Ana\"\nclick lblStart\nwait 6000\n";
    for (int q = 1; q <= 15; ++q) {
        if (q == 15) s += "dump asked\n";
        s += "click lblKviz(1)\nclick lblDANE(0)\n";
        if (q < 15) s += "wait 9000\n";
    }
    return s;
}

std::set<std::string> fontsOf(const Json& lines, const std::set<std::string>& texts) {
    std::set<std::string> fonts;
    for (const Json& l : lines)
        if (texts.count(l["text"].get<std::string>())) fonts.insert(l["font"].get<std::string>());
    return fonts;
}

} // namespace

TEST(Presentation, theWinCelebrationLastsFourPointTwoSecondsAndEndsOnTheSponsorPanel) {
    // The sponsor's settings, the last of them left empty.
    Json fixture = sampleFixture();
    const char* const sponsor[] = {"Firma", "Mjesto", "Mail", "Adresa", "TelFax"};
    for (const char* field : sponsor) fixture["tbStat"][field] = std::string(field) + " 1";
    ProgramFolder folder(fixture);
    auto dumps = folder.run(winningGame() + "dump won\nwait 700\ndump first\nwait 3499\n"
                                            "dump fifth\nwait 1\ndump done\nwait 5000\n"
                                            "dump later\nclick lblStart\ndump next");
    auto at = [&](const char* label) { return dumpLabelled(dumps, label); };
    const Json& asked = at("asked");
    const Json& won = at("won");
    ASSERT_EQ(won["fields"]["WinCelebrating"], true);
    for (const char* timer : {"Timer1", "Timer2", "Timer5"})
        EXPECT_EQ(won["timers"][timer]["enabled"], false) << timer;
    EXPECT_EQ(caption(won, "Label1(1)"), "Ko ima ZNAWE - ne treba mu MILION!");
    EXPECT_EQ(eventsOf(won, "sound"), std::vector<Json>{"Mil.wav"});
    // The first step shows the top prize and adds the bonus left.
    const Json& first = at("first");
    EXPECT_EQ(caption(first, "lblNajava(0)"), "TA^NO!!!");
    EXPECT_EQ(caption(first, "Label3(0)"), caption(first, "lblCIFRA(1)"));
    EXPECT_EQ(std::stoi(caption(first, "lblOsv")),
              std::stoi(caption(asked, "lblOsv")) + std::stoi(caption(asked, "lblTraka")));
    EXPECT_EQ(caption(at("fifth"), "lblStart"), caption(won, "lblStart"));
    // The sixth returns to the start screen with the sponsor's panel, and stops.
    const Json& done = at("done");
    EXPECT_EQ(done["timers"]["Timer4"]["enabled"], false);
    EXPECT_EQ(caption(done, "lblStart"), "Start");
    for (const char* shown : {"Text1", "imgMilion"}) EXPECT_TRUE(visible(done, shown)) << shown;
    for (const char* hidden : {"lblVer", "Label8(1)", "imgAutor", "imgPotpis", "lblSampioni(1)"})
        EXPECT_FALSE(visible(done, hidden)) << hidden;
    for (int k = 0; k <= 5; ++k) {
        const Json& line = control(done, element("lblFirma", k));
        EXPECT_EQ(line["caption"], k < 5 ? std::string(sponsor[k]) + " 1" : "") << k;
        EXPECT_TRUE(line["visible"]) << k;
        EXPECT_EQ(line["fore"], 0) << k;
    }
    // Nothing of the celebration runs on; the amount won stands until the next game.
    EXPECT_EQ(at("later")["fields"]["WinStep"], 0);
    EXPECT_EQ(caption(at("later"), "Label3(0)"), "1.000.000");
    EXPECT_EQ(caption(at("next"), "Label3(0)"), "0");
}

TEST(Presentation, theHelpDrawsLatinKeysLargeAndCyrillicSmallAndF1TwiceClearsIt) {
    ProgramFolder folder;
    const std::set<std::string> letters{"F", "T", "P", "H", "D", "N"};
    const std::set<std::string> named{"Enter", "Esc ", "F1"};
    for (bool small : {false, true}) {
        SCOPED_TRACE(small ? "small screen" : "large screen");
        std::string screen = small ? "screen 12000 8640\n" : "screen 15360 11520\n";
        auto dumps = folder.run(screen + "start\nkey 112\ndump opened\nkey 112\ndump closed\n"
                                         "click imgHelp\ndblclick picHelp\ndump hidden\n"
                                         "type \"Ana\"\nclick lblStart\nkey 112\ndump inGame");
        auto at = [&](const char* label) { return control(dumpLabelled(dumps, label), "picHelp"); };
        const Json help = at("opened");
        EXPECT_EQ(help["visible"], true);
        const Json& lines = help["lines"];
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0]["text"], "Komande sa tastature");
        EXPECT_EQ(lines[0]["size"], small ? 10 : 14);
        EXPECT_EQ(fontsOf(lines, named), std::set<std::string>{"Arial"});
        EXPECT_EQ(fontsOf(lines, letters), std::set<std::string>{small ? "Cir Arial" : "Arial"});
        const Json& address = lines.back();
        EXPECT_EQ(address["text"], kWebAddress);
        EXPECT_EQ(address["bold"], true);
        EXPECT_EQ(address["size"], small ? 16 : 18);

        // F1 again closes and clears it; a double click only hides it; in a game the panel is
        // drawn afresh, not twice.
        auto state = [&](const char* label) {
            const Json panel = at(label);
            return std::pair(panel["visible"].get<bool>(), panel["lines"].size());
        };
        EXPECT_EQ(state("closed"), std::pair(false, std::size_t{0}));
        EXPECT_EQ(state("hidden"), std::pair(false, lines.size()));
        EXPECT_EQ(state("inGame"), std::pair(true, lines.size()));
    }
}
