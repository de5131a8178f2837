// SPDX-License-Identifier: GPL-3.0-or-later
// Playing by keyboard, through the driver: a whole game without the mouse, and the order in
// which the window's key table lets a key act.
#include "GameScript.h"
#include "support/ScriptSupport.h"

#include <gtest/gtest.h>
#include <string>

using namespace kvz;
using namespace kvz::test;

namespace {

constexpr int kEnter = 13, kEsc = 27, kF1 = 112, kNumPad1 = 97;

// "key 66" for a letter or digit key ('B'), or a code.
std::string key(int code) {
    return "key " + std::to_string(code);
}

std::string keys(const std::string& letters) {
    std::string out;
    for (char c : letters) out += key(c) + "\n";
    return out;
}

// The state a key may change: marks, panels, jokers, the question and the points.
Json keyedState(const Json& d) {
    Json s;
    for (const char* k : {"Frame1", "Frame2", "picHelp", "Image2(0)", "Image2(2)", "Image2(4)"})
        s[k] = visible(d, k);
    for (const char* k : {"lblStart", "lblIzlaz", "lblOsv", "lblNajava(0)"}) s[k] = caption(d, k);
    for (const char* f : {"SelectedAnswer", "QuestionNo", "AnswersEnabled", "AnswerLocked"})
        s[f] = d["fields"][f];
    s["ended"] = d["ended"];
    return s;
}

} // namespace

TEST(Keyboard, aWholeGameIsPlayedByKeyboardAlone) {
    ProgramFolder folder;
    // Answer A is right at every level of the sample bank. Timer2 beats every 700 ms.
    std::string script = "date 2026-03-14\nstart\n" + keys("LJIYLJANA") + "dump typed\n" +
                         key(kEnter) + "\ndump started\n" +
                         // Question 1, shown at 6000: B, then A does nothing; N; 1; D.
                         "wait 6100\n" + keys("BA") + "dump q1b\n" + keys("N1") + "dump q1one\n" +
                         key('D') + "\ndump q1right\n" +
                         // Question 2 at 15100: 50:50, help on and off, A and Enter.
                         "wait 9100\n" + key('F') + "\ndump q2fifty\n" + key(kF1) + "\n" +
                         key('A') + "\ndump q2help\n" + key(kF1) + "\n" + key('A') + "\n" +
                         key(kEnter) + "\ndump q2right\n" +
                         // Question 3 at 24200: the friend, whose panel H closes; V, N, A, D.
                         "wait 9100\n" + key('T') + "\n" + key('A') + "\ndump q3phone\n" +
                         key('H') + "\ndump q3hungUp\n" + keys("VNAD") + "dump q3right\n" +
                         // Question 4 at 33300: the audience; H acts once "Hvala" shows.
                         "wait 9100\n" + keys("PH") + "dump q4chart\n" + "wait 10000\n" +
                         "dump q4revealed\n" + key('H') + "\ndump q4closed\n" +
                         // Walking away, then leaving.
                         key('O') + "\ndump walked\n" + key(kEsc) + "\ndump left\n";
    auto dumps = folder.run(script);

    auto at = [&](const char* label) { return dumpLabelled(dumps, label); };
    const Json typed = at("typed");
    EXPECT_EQ(control(typed, "Text1")["text"], "ljiljana");
    EXPECT_EQ(eventsOf(typed, "beep").size(), 1u) << "Y is refused with a beep";
    EXPECT_FALSE(typed["keyPreview"]) << "letters typed into the name box are no game keys";
    EXPECT_EQ(caption(at("started"), "lblStart"), " Qiqana");
    EXPECT_TRUE(at("started")["keyPreview"]);

    EXPECT_TRUE(visible(at("q1b"), "Frame1"));
    EXPECT_EQ(at("q1b")["fields"]["SelectedAnswer"], 2) << "A does nothing while DA/NE is asked";
    EXPECT_TRUE(visible(at("q1one"), "Frame1"));
    EXPECT_EQ(at("q1one")["fields"]["SelectedAnswer"], 1);
    for (const char* right : {"q1right", "q2right", "q3right"})
        EXPECT_EQ(caption(at(right), "lblNajava(0)"), "TA^NO!!!") << right;

    EXPECT_EQ(at("q2fifty")["fields"]["QuestionNo"], 2);
    EXPECT_FALSE(visible(at("q2fifty"), "Image2(0)"));
    EXPECT_TRUE(visible(at("q2help"), "picHelp"));
    EXPECT_FALSE(visible(at("q2help"), "Frame1")) << "A does nothing while the help shows";
    EXPECT_FALSE(visible(at("q2right"), "picHelp"));

    EXPECT_TRUE(visible(at("q3phone"), "Frame2"));
    EXPECT_FALSE(visible(at("q3phone"), "Frame1")) << "answer keys wait while the friend talks";
    EXPECT_FALSE(visible(at("q3hungUp"), "Frame2"));

    EXPECT_FALSE(at("q4chart")["fields"]["AnswersEnabled"]) << "H before \"Hvala narode!!!\" shows";
    EXPECT_TRUE(visible(at("q4revealed"), "lblHvala(0)"));
    EXPECT_TRUE(at("q4closed")["fields"]["AnswersEnabled"]);
    EXPECT_EQ(caption(at("q4closed"), "lblOsv"), "600");

    EXPECT_EQ(caption(at("walked"), "lblStart"), "Start");
    EXPECT_FALSE(at("walked")["ended"]);
    EXPECT_TRUE(at("left")["ended"]);

    const Json results = folder.exportDatabase()["tbRezultati"];
    std::vector<Json> stored;
    for (const Json& row : results)
        if (row["Ime"] == "Qiqana") stored.push_back(Json{row["RB"], row["Skor"], row["Datum"]});
    EXPECT_EQ(stored, (std::vector<Json>{Json{3, 600, "2026-03-14"}}));
}

TEST(Keyboard, withTheHelpShownOnlyF1AndEscAct) {
    GameScript game;
    game.waitForBonusTick(0).line(key(kF1)).dump("help");
    for (char c : std::string("BF2ON")) game.line(key(c));
    game.line(key(kEnter)).dump("ignored");
    game.line(key(kF1)).dump("closed").line(key(kF1)).line(key(kEsc)).dump("left");
    auto dumps = play(game);
    auto at = [&](const char* label) { return dumpLabelled(dumps, label); };
    EXPECT_TRUE(visible(at("help"), "picHelp"));
    EXPECT_EQ(keyedState(at("ignored")), keyedState(at("help")));
    EXPECT_FALSE(visible(at("closed"), "picHelp"));
    EXPECT_TRUE(at("left")["ended"]);
}

TEST(Keyboard, whileASequenceRunsAnswerKeysAndOWaitButHelpAndEscStillAct) {
    ProgramFolder folder;
    // During the announcement of question 1.
    GameScript announcing;
    announcing.waitFor(1000).dump("before").line(keys("A1O")).dump("after");
    announcing.line(key(kF1)).dump("help").line(key(kEsc)).dump("left");
    auto dumps = folder.run(announcing.text());
    EXPECT_EQ(keyedState(dumpLabelled(dumps, "after")), keyedState(dumpLabelled(dumps, "before")));
    EXPECT_TRUE(visible(dumpLabelled(dumps, "help"), "picHelp"));
    EXPECT_TRUE(dumpLabelled(dumps, "left")["ended"]);

    // While "TA^NO!!!" shows.
    GameScript right;
    right.waitForBonusTick(0).confirm(1).dump("right").line(keys("B2O")).dump("after");
    dumps = folder.run(right.text());
    EXPECT_EQ(caption(dumpLabelled(dumps, "right"), "lblNajava(0)"), "TA^NO!!!");
    EXPECT_EQ(keyedState(dumpLabelled(dumps, "after")), keyedState(dumpLabelled(dumps, "right")));

    // While a wrong answer is played out.
    GameScript wrong;
    wrong.playTo(2).confirm(2).dump("wrong").line(keys("A1O")).dump("after");
    wrong.line(key(kF1)).dump("help");
    dumps = folder.run(wrong.text());
    const Json& locked = dumpLabelled(dumps, "wrong");
    EXPECT_TRUE(locked["fields"]["AnswerLocked"]);
    EXPECT_EQ(keyedState(dumpLabelled(dumps, "after")), keyedState(locked))
        << "O would end the program now that the button reads \"Izlaz\"";
    EXPECT_TRUE(visible(dumpLabelled(dumps, "help"), "picHelp"));
}

TEST(Keyboard, theNumericPadOneAndUnknownKeysDoNothingAndWithDaNeAskedOnlyDNAndEnterAnswer) {
    GameScript game;
    game.waitForBonusTick(0).dump("before").line(key(kNumPad1)).line(key('Z')).dump("unknown");
    game.line(key('B')).dump("asked");
    game.line(keys("A2GOFTPH")).dump("others");
    game.line(key('N')).dump("withdrawn").line(key('2')).dump("again");
    auto dumps = play(game);
    auto at = [&](const char* label) { return dumpLabelled(dumps, label); };
    EXPECT_EQ(keyedState(at("unknown")), keyedState(at("before")));
    EXPECT_TRUE(eventsOf(at("unknown"), "beep").empty());
    EXPECT_TRUE(visible(at("asked"), "Frame1"));
    EXPECT_EQ(keyedState(at("others")), keyedState(at("asked")))
        << "no other mark, no joker used, no walking away while DA/NE is asked";
    EXPECT_FALSE(visible(at("withdrawn"), "Frame1"));
    EXPECT_TRUE(visible(at("again"), "Frame1"));
    EXPECT_EQ(at("again")["fields"]["SelectedAnswer"], 2);
}

TEST(Keyboard, theNameBoxKeepsGameKeysToItselfAndEscInItEndsTheProgram) {
    // O would end the program from the window ("Izlaz"); in the name box it is a letter.
    auto dumps =
        ProgramFolder().run("start\n" + keys("OTO") + "dump typed\n" + key(kEsc) + "\ndump left\n");
    const Json& typed = dumpLabelled(dumps, "typed");
    EXPECT_FALSE(typed["ended"]);
    EXPECT_EQ(control(typed, "Text1")["text"], "oto");
    EXPECT_TRUE(dumpLabelled(dumps, "left")["ended"]);
}
