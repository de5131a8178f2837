// SPDX-License-Identifier: GPL-3.0-or-later
// The jokers, the audience chart and the replacement, played through the driver on the
// sample bank, where A is the right answer at every level.
#include "GameScript.h"
#include "support/ScriptSupport.h"

#include <gtest/gtest.h>

using namespace kvz;
using namespace kvz::test;

namespace {

// The generator value for the friend's and the audience's one draw that knows the answer.
const char* const kKnows = "rnd 0";

// The four joker counters of tbStat as the file holds them: Tac, Netac, PTac, PNetac.
std::vector<std::int64_t> counters(const ProgramFolder& folder) {
    Json stat = folder.exportDatabase()["tbStat"];
    return {stat["Tac"], stat["Netac"], stat["PTac"], stat["PNetac"]};
}

// Clicks every joker picture, whether or not it should act.
GameScript& clickEveryJoker(GameScript& game) {
    return game.line("click Image2(0)").line("click Image2(2)").line("click Image2(4)");
}

// Nothing sounded since the last dump and the jokers 50:50, friend, audience stand as given.
void expectJokersUntouched(const Json& d, const std::vector<bool>& standing) {
    EXPECT_EQ(visibility(d, {"Image2(0)", "Image2(2)", "Image2(4)"}), standing);
    EXPECT_TRUE(eventsOf(d, "beep").empty());
}

} // namespace

TEST(JokerScenario, theCallCountsDownThirtyBeatsAndEndsByItselfAlsoAfterAnEarlyHangUp) {
    for (bool hangUp : {false, true}) {
        SCOPED_TRACE(hangUp ? "hung up" : "to the end");
        GameScript game;
        // Timer2 beats every 700 ms from the start of the game.
        game.waitUntil(6300).line(kKnows).line("click Image2(2)").dump("call");
        for (int beat = 1; beat <= 30; ++beat) {
            if (hangUp && beat == 3) game.line("click Image2(7)").dump("hungup");
            game.waitUntil(6300 + beat * 700).dump(std::to_string(beat));
        }
        auto dumps = play(game);

        const Json& call = dumpLabelled(dumps, "call");
        EXPECT_TRUE(visible(call, "Frame2"));
        EXPECT_EQ(caption(call, "lblTime"), "30");
        EXPECT_EQ(caption(call, "Label7(3)"), "Prijateq: Odgovor je - A");
        if (hangUp) {
            const Json& hungUp = dumpLabelled(dumps, "hungup");
            EXPECT_FALSE(visible(hungUp, "Frame2") || visible(hungUp, "Label7(3)"));
            EXPECT_TRUE(hungUp["fields"]["FriendCallRunning"]);
        } else {
            // The clock only counts down, never below the time the call has left.
            auto shown = [&](int beat) {
                return std::stoi(caption(dumpLabelled(dumps, std::to_string(beat)), "lblTime"));
            };
            for (int beat = 1; beat <= 30; ++beat) {
                EXPECT_LE(shown(beat), beat == 1 ? 30 : shown(beat - 1)) << beat;
                EXPECT_GE(shown(beat), 30 - beat) << beat;
            }
        }
        EXPECT_TRUE(dumpLabelled(dumps, "29")["fields"]["FriendCallRunning"]);
        EXPECT_EQ(visible(dumpLabelled(dumps, "29"), "Frame2"), !hangUp);
        const Json& ended = dumpLabelled(dumps, "30");
        EXPECT_FALSE(ended["fields"]["FriendCallRunning"]);
        EXPECT_FALSE(visible(ended, "Frame2"));
        EXPECT_EQ(caption(ended, "lblTime"), "0");
        // The certainty shows once the time is up.
        if (!hangUp) {
            EXPECT_EQ(caption(ended, "Label7(2)"), "Prijateq: 97 %");
        }
    }
}

TEST(JokerScenario, theChartRevealsItselfPieceByPieceWithTheThanksLast) {
    GameScript game;
    game.waitForBonusTick(0).line(kKnows).line("click Image2(4)").dump("asked");
    for (int tick = 1; tick <= 13; ++tick) game.line("tick Timer2").dump(std::to_string(tick));
    game.line("click lblHvala(0)").dump("thanked");
    auto dumps = play(game);
    auto at = [&](int tick) { return dumpLabelled(dumps, std::to_string(tick)); };

    const Json& asked = dumpLabelled(dumps, "asked");
    EXPECT_FALSE(asked["fields"]["AnswersEnabled"]);
    EXPECT_EQ(caption(asked, "lblSampioni(0)"), "          REZULTATI");
    EXPECT_FALSE(visible(asked, "lblSampioni(1)"));
    const char* const bars[4] = {"49 %", "19 %", "31 %", "1 %"}; // knowing, A right, question 1
    for (int k = 0; k <= 3; ++k) EXPECT_EQ(caption(asked, element("lblProc", k)), bars[k]);
    // Each tick shows the letter, the bar and the percentage of one answer in turn.
    for (int k = 0; k <= 3; ++k) {
        EXPECT_TRUE(visible(at(3 * k + 1), element("lblHvala", k + 1)));
        EXPECT_FALSE(visible(at(3 * k + 1), element("shpPub", k)));
        EXPECT_TRUE(visible(at(3 * k + 3), element("lblProc", k)));
    }
    // The heading above the chart blinks while it builds up.
    for (int tick = 2; tick <= 13; ++tick)
        EXPECT_NE(visible(at(tick), "lblSampioni(0)"), visible(at(tick - 1), "lblSampioni(0)"));
    EXPECT_FALSE(visible(at(12), "lblHvala(0)"));
    EXPECT_TRUE(visible(at(13), "lblHvala(0)"));

    const Json& thanked = dumpLabelled(dumps, "thanked");
    EXPECT_TRUE(thanked["fields"]["AnswersEnabled"]);
    EXPECT_EQ(visibility(thanked, {"shpPub(0)", "lblHvala(0)", "fraStat"}),
              (std::vector<bool>{false, false, true}));
    EXPECT_EQ(caption(thanked, "lblSampioni(0)"), "          REKORDERI");
    // The next chart, in this game or the next, builds up from its beginning.
    EXPECT_EQ(thanked["fields"]["ChartRevealStep"], 0);
    EXPECT_EQ(thanked["fields"]["RecordRowCursor"], 0);
}

TEST(JokerScenario, replacementAfterFiftyFiftyBringsBackAllFourAnswersAndFiftyFiftyStaysUsed) {
    GameScript game;
    game.playTo(10).line("rnd 0.6").line("click Image2(0)").dump("halved");
    game.line("click lblZamjena").dump("replaced");
    auto dumps = play(game);

    const Json& halved = dumpLabelled(dumps, "halved");
    EXPECT_TRUE(visible(halved, "lblZamjena"));
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(visible(halved, element("lblKviz", k)), k % 2 == 1) << k;

    const Json& replaced = dumpLabelled(dumps, "replaced");
    for (int k = 1; k <= 4; ++k)
        EXPECT_TRUE(visible(replaced, element("lblKviz", k)) &&
                    visible(replaced, element("Label5", k - 1)))
            << k;
    EXPECT_EQ(visibility(replaced, {"Image2(0)", "Image2(1)", "lblZamjena"}),
              (std::vector<bool>{false, true, false}));
    EXPECT_TRUE(replaced["fields"]["ReplacementUsed"]);
    EXPECT_EQ(replaced["fields"]["QuestionNo"], 10);
    EXPECT_EQ(caption(replaced, "lblKviz(0)"), "Pitawe 10.1");
}

TEST(JokerScenario,
     aJokerClickDuringTheAnnouncementThePanelTheCallTheChartOrTheCorrectAnswerDoesNothing) {
    GameScript game;
    game.dump("started");
    clickEveryJoker(game).dump("announcement");
    game.waitForBonusTick(0).line("click lblKviz(2)").dump("marked");
    clickEveryJoker(game).dump("panel").line("click lblDANE(1)");
    game.line(kKnows).line("click Image2(2)").dump("calling");
    game.line("click Image2(0)").line("click Image2(4)").dump("call");
    game.line("click Image2(7)").line(kKnows).line("click Image2(4)").dump("asked");
    game.line("click Image2(0)").dump("chart");
    for (int tick = 1; tick <= 13; ++tick) game.line("tick Timer2");
    game.line("click Image2(0)").dump("chartshown").line("click lblHvala(0)");
    game.confirm(1).dump("correct");
    clickEveryJoker(game).dump("ontheway");
    ProgramFolder folder;
    auto dumps = folder.run(game.text());

    expectJokersUntouched(dumpLabelled(dumps, "announcement"), {true, true, true});
    EXPECT_TRUE(visible(dumpLabelled(dumps, "marked"), "Frame1"));
    const Json& panel = dumpLabelled(dumps, "panel");
    expectJokersUntouched(panel, {true, true, true});
    for (int k = 1; k <= 4; ++k) EXPECT_TRUE(visible(panel, element("lblKviz", k))) << k;
    EXPECT_TRUE(visible(dumpLabelled(dumps, "calling"), "Frame2"));
    expectJokersUntouched(dumpLabelled(dumps, "call"), {true, false, true});
    EXPECT_FALSE(dumpLabelled(dumps, "asked")["fields"]["AnswersEnabled"]);
    expectJokersUntouched(dumpLabelled(dumps, "chart"), {true, false, false});
    expectJokersUntouched(dumpLabelled(dumps, "chartshown"), {true, false, false});
    EXPECT_EQ(caption(dumpLabelled(dumps, "correct"), "lblNajava(0)"), "TA^NO!!!");
    expectJokersUntouched(dumpLabelled(dumps, "ontheway"), {true, false, false});
    EXPECT_EQ(counters(folder), (std::vector<std::int64_t>{1, 0, 1, 0}));

    // Before a game, while the idle ladder shows every joker, and during a wrong answer.
    const Json idle = folder.run("start\nwait 5600\nclick Image2(0)\nclick Image2(2)\n"
                                 "click Image2(4)\ndump")[0];
    EXPECT_TRUE(eventsOf(idle, "beep").empty());
    GameScript wrong;
    wrong.waitForBonusTick(0).confirm(2);
    clickEveryJoker(wrong).dump("wrong");
    const Json& lost = dumpLabelled(folder.run(wrong.text()), "wrong");
    for (int k = 1; k <= 4; ++k) EXPECT_TRUE(visible(lost, element("lblKviz", k))) << k;
    for (const Json* d : {&idle, &lost}) {
        EXPECT_FALSE(visible(*d, "Frame2"));
        EXPECT_EQ(caption(*d, "lblSampioni(0)").find("REZULTATI"), std::string::npos);
        EXPECT_TRUE((*d)["fields"]["AnswersEnabled"]);
    }
    EXPECT_EQ(counters(folder), (std::vector<std::int64_t>{1, 0, 1, 0}));
}

TEST(JokerScenario, aReplacementWithThePanelOpenKeepsTheMarkAndDaJudgesItInTheNewQuestion) {
    // Level 10 holds a question where A is right and, after it, one where B is.
    Json fixture = sampleFixture();
    fixture["tbKviz"].push_back(question("Pitawe 10.2", 10, 2));
    GameScript game;
    game.playTo(9).answerRight().line("rnd 0.1").waitForBonusTick(0);
    game.line("click lblKviz(2)").line("rnd 0.9").line("click lblZamjena").dump("replaced");
    game.line("click lblDANE(0)").dump("judged");
    auto dumps = play(game, fixture);

    const Json& replaced = dumpLabelled(dumps, "replaced");
    EXPECT_EQ(caption(replaced, "lblKviz(0)"), "Pitawe 10.2");
    EXPECT_TRUE(visible(replaced, "Frame1"));
    EXPECT_EQ(replaced["fields"]["SelectedAnswer"], 2);
    EXPECT_EQ(caption(dumpLabelled(dumps, "judged"), "lblNajava(0)"), "TA^NO!!!");
    EXPECT_FALSE(dumpLabelled(dumps, "judged")["fields"]["AnswerLocked"]);
}
