// The typewriter, the win celebration and the help screen, played through the driver.
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

TEST(Presentation, onePassOfTheTypewriterTakesTwentyTwoTicksOfTimer5) {
    ProgramFolder folder;
    auto dumps = folder.run(R"(start
type "Ana"
click lblStart
wait 1299
dump waiting
wait 1
dump first
wait 19500
dump motto
wait 1300
dump blank
wait 1300
dump name
wait 5199
dump last
wait 1
dump again)");
    auto at = [&](const char* label) { return dumpLabelled(dumps, label); };
    EXPECT_EQ(at("waiting")["fields"]["TypewriterStep"], 0);
    EXPECT_EQ(at("first")["fields"]["TypewriterStep"], 1);
    EXPECT_EQ(control(at("first"), "imgMudrost(0)")["visible"], true);
    EXPECT_EQ(control(at("motto"), "lblZnam")["caption"], "JA HO]U DA ZNAM!!!");
    EXPECT_EQ(control(at("blank"), "lblZnam")["caption"], "");
    std::string name = control(at("name"), "lblZnam")["caption"];
    EXPECT_TRUE(name == "Pera" || name == "Mika") << name;
    EXPECT_EQ(at("last")["fields"]["TypewriterStep"], 21);
    EXPECT_EQ(control(at("last"), "lblZnam")["caption"], name);
    // The game started at time 0: 22 ticks of 1.3 s later the typewriter is back at its start.
    EXPECT_EQ(at("again")["time"], 28600);
    EXPECT_EQ(at("again")["fields"]["TypewriterStep"], 0);
    EXPECT_EQ(control(at("again"), "lblZnam")["caption"], "");
}

TEST(Presentation, theWinCelebrationLastsFourPointTwoSecondsAndEndsOnTheSponsorPanel) {
    ProgramFolder folder;
    auto dumps = folder.run(winningGame() + R"(dump won
wait 700
dump first
wait 3499
dump fifth
wait 1
dump done
wait 5000
dump later
click lblStart
dump next)");
    auto at = [&](const char* label) { return dumpLabelled(dumps, label); };
    ASSERT_EQ(at("won")["fields"]["WinCelebrating"], true);
    EXPECT_EQ(at("won")["timers"]["Timer4"]["enabled"], true);
    EXPECT_EQ(at("won")["timers"]["Timer5"]["enabled"], false);
    EXPECT_EQ(control(at("first"), "lblNajava(0)")["caption"], "TA^NO!!!");
    EXPECT_EQ(control(at("first"), "Label3(0)")["caption"],
              control(at("first"), "lblCIFRA(1)")["caption"]);
    EXPECT_EQ(at("fifth")["fields"]["WinStep"], 5);
    EXPECT_EQ(control(at("fifth"), "lblStart")["caption"],
              control(at("won"), "lblStart")["caption"]);
    const Json& done = at("done");
    EXPECT_EQ(done["fields"]["WinStep"], 0);
    EXPECT_EQ(done["timers"]["Timer4"]["enabled"], false);
    EXPECT_EQ(control(done, "lblStart")["caption"], "Start");
    EXPECT_EQ(control(done, "Text1")["visible"], true);
    EXPECT_EQ(control(done, "imgMilion")["visible"], true);
    for (int k = 0; k <= 5; ++k)
        EXPECT_EQ(control(done, "lblFirma(" + std::to_string(k) + ")")["visible"], true) << k;
    // Nothing of the celebration runs on afterwards.
    EXPECT_EQ(at("later")["fields"]["WinStep"], 0);
    EXPECT_EQ(control(at("later"), "lblStart")["caption"], "Start");
    // The amount won stands until the next game starts from nothing.
    EXPECT_EQ(control(at("later"), "Label3(0)")["caption"], "1.000.000");
    EXPECT_EQ(control(at("next"), "Label3(0)")["caption"], "0");
}

TEST(Presentation, theHelpScreenDrawsLatinKeysOnALargeScreenAndCyrillicLettersOnASmallOne) {
    ProgramFolder folder;
    const std::set<std::string> letters{"F", "T", "P", "H", "D", "N"};
    const std::set<std::string> named{"Enter", "Esc ", "F1"};
    for (bool small : {false, true}) {
        SCOPED_TRACE(small ? "small screen" : "large screen");
        std::string screen = small ? "screen 12000 8640\n" : "screen 15360 11520\n";
        Json help = control(folder.run(screen + "start\nkey 112\ndump")[0], "picHelp");
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
    }
}

TEST(Presentation, f1TwiceClosesAndClearsTheHelpWhileADoubleClickOnlyHidesIt) {
    ProgramFolder folder;
    auto dumps = folder.run(R"(start
key 112
dump opened
key 112
dump closed
click imgHelp
dblclick picHelp
dump hidden
type "Ana"
click lblStart
key 112
dump inGame)");
    auto at = [&](const char* label) { return control(dumpLabelled(dumps, label), "picHelp"); };
    std::size_t drawn = at("opened")["lines"].size();
    EXPECT_EQ(at("closed")["visible"], false);
    EXPECT_TRUE(at("closed")["lines"].empty());
    EXPECT_EQ(at("hidden")["visible"], false);
    EXPECT_EQ(at("hidden")["lines"].size(), drawn);
    // During a game the window itself takes F1; the panel is drawn afresh, not twice.
    EXPECT_EQ(at("inGame")["visible"], true);
    EXPECT_EQ(at("inGame")["lines"].size(), drawn);
}
