// SPDX-License-Identifier: GPL-3.0-or-later
// How a game ends, played through the driver: the wrong-answer sequence and the points
// kept, walking away, leaving the program, and the faults a bank or a double click could
// cause.
#include "GameScript.h"
#include "support/ScriptSupport.h"

#include <gtest/gtest.h>

using namespace kvz;
using namespace kvz::test;

namespace {

constexpr int kOrange = 0x0080FF, kRed = 0x0000FF;

// Timer2 beats every 700 ms from the Start click at time 0.
std::int64_t nextHeartbeat(std::int64_t t) {
    return (t / 700 + 1) * 700;
}

void expectStartScreen(const Json& d) {
    EXPECT_EQ(captions(d, {"lblStart", "lblIzlaz", "lblNajava(3)", "lblTraka", "Label3(0)"}),
              (Captions{"Start", "Izlaz", "NOVA IGRA", "100", "0"}));
    EXPECT_TRUE(visible(d, "Text1") && visible(d, "lblNajava(3)"));
    const Json& f = d["fields"];
    EXPECT_EQ((Json{f["QuestionNo"], f["WrongAnswerStep"], f["AnswerLocked"]}),
              (Json{1, 0, false}));
    for (int i = 0; i <= 5; ++i) EXPECT_EQ(visible(d, element("Image2", i)), i % 2 == 0) << i;
    for (int i = 0; i <= 4; ++i) EXPECT_FALSE(visible(d, element("lblKviz", i))) << i;
    EXPECT_EQ(d["timers"]["Timer2"], (Json{{"enabled", true}, {"interval", 700}}));
}

} // namespace

TEST(GameEnd, aWrongAnswerPlaysSixHeartbeatsThenReturnsToTheStartScreen) {
    GameScript game;
    game.waitForBonusTick(0).confirm(2).dump("da");
    game.line("click lblKviz(3)").line("key 49").dump("locked");
    std::int64_t step1 = nextHeartbeat(game.now());
    game.waitUntil(step1 - 1).dump("waiting");
    for (int step = 1; step <= 6; ++step) {
        std::int64_t at = step1 + 800 * (step - 1);
        if (step == 6) game.waitUntil(at - 1).dump("step5late");
        game.waitUntil(at).dump("step" + std::to_string(step));
    }
    auto dumps = play(game);

    const Json& da = dumpLabelled(dumps, "da");
    EXPECT_TRUE(da["fields"]["AnswerLocked"]);
    EXPECT_EQ(caption(da, "lblIzlaz"), "Izlaz");
    EXPECT_TRUE(dumpLabelled(dumps, "locked")["controls"] == da["controls"])
        << "the input changed the window";
    EXPECT_EQ(dumpLabelled(dumps, "locked")["fields"]["SelectedAnswer"], 2);
    EXPECT_EQ(dumpLabelled(dumps, "waiting")["fields"]["WrongAnswerStep"], 0);

    const Json& s1 = dumpLabelled(dumps, "step1");
    EXPECT_EQ(s1["fields"]["WrongAnswerStep"], 1);
    EXPECT_EQ(control(s1, "lblKviz(2)")["back"], kRed);
    EXPECT_EQ(control(s1, "lblKviz(1)")["back"], kOrange);
    EXPECT_EQ(s1["timers"]["Timer2"]["interval"], 800);
    EXPECT_TRUE(visible(s1, "imgDrugar"));
    EXPECT_EQ(eventsOf(s1, "sound"), std::vector<Json>{"Drugar.wav"});
    EXPECT_EQ(caption(s1, "Label3(0)"), "100");
    // The lost rung and the friend's picture blink in turn.
    for (int step = 2; step <= 4; ++step)
        EXPECT_EQ(visibility(dumpLabelled(dumps, "step" + std::to_string(step)),
                             {"imgDrugar", "Label3(15)", "lblCIFRA(15)"}),
                  std::vector<bool>(3, step == 3))
            << step;
    const Json& s5 = dumpLabelled(dumps, "step5late");
    EXPECT_EQ(s5["fields"]["WrongAnswerStep"], 5);
    EXPECT_EQ(visibility(s5, {"lblKviz(2)", "lblTraka"}), (std::vector<bool>{false, true}));

    const Json& end = dumpLabelled(dumps, "step6");
    expectStartScreen(end);
    EXPECT_EQ(end["timers"]["Timer1"], (Json{{"enabled", true}, {"interval", 200}}));
    EXPECT_EQ(caption(end, "lblFirma(1)"), "@ao nam je! Pogre{an odgovor!");
}

TEST(GameEnd, theGameOverLineTellsThePointsKeptAndTheLastQuestionWon) {
    const std::pair<int, const char*> cases[] = {
        {1, "Osvojili ste: 0 BODOVA  do pitawa broj 1"},
        {5, "Osvojili ste: 0 BODOVA  do pitawa broj 4"},
        {6, "Osvojili ste: 1000 BODOVA  do pitawa broj 5"},
        {10, "Osvojili ste: 1000 BODOVA  do pitawa broj 9"},
        {11, "Osvojili ste: 32000 BODOVA  do pitawa broj 10"},
        {15, "Osvojili ste: 32000 BODOVA  do pitawa broj 14"},
    };
    for (const auto& [q, line] : cases) {
        SCOPED_TRACE(line);
        GameScript game;
        game.playTo(q).confirm(2).waitFor(5000).dump("end");
        const Json end = dumpLabelled(play(game), "end");
        expectStartScreen(end);
        EXPECT_EQ(caption(end, "lblFirma(3)"), line);
    }
}

TEST(GameEnd, walkingAwayReturnsToTheStartScreenWithTheLadderStillAndAFreshCheck) {
    GameScript game;
    game.playTo(3).line("move lblKviz(2)").line("click imgVoditelj").dump("asked");
    game.line("click lblIzlaz").dump("left").waitFor(3000).dump("later");
    game.line("click lblNajava(3)").dump("again").line("click lblNajava(3)").dump("banner");
    auto dumps = play(game);

    const Json& left = dumpLabelled(dumps, "left");
    expectStartScreen(left);
    EXPECT_EQ(eventsOf(left, "beep").size(), 1u);
    EXPECT_FALSE(left["timers"]["Timer1"]["enabled"]);
    EXPECT_FALSE(left["keyPreview"]);
    EXPECT_TRUE(left["fields"]["HostCheckAvailable"]);
    EXPECT_FALSE(visible(left, "lblVoditelj") || visible(left, "lblFirma(3)"));
    const Json& later = dumpLabelled(dumps, "later");
    for (int i = 1; i <= 15; ++i)
        EXPECT_EQ(control(later, element("Label3", i))["back"],
                  control(left, element("Label3", i))["back"])
            << i;

    // "NOVA IGRA" starts the next game; the banner word "BODOVA" in its place does not.
    const Json& again = dumpLabelled(dumps, "again");
    EXPECT_EQ(captions(again, {"lblStart", "lblNajava(3)"}), (Captions{" Ana", "BODOVA"}));
    EXPECT_TRUE(again["timers"]["timNajava"]["enabled"]);
    EXPECT_EQ(dumpLabelled(dumps, "banner")["fields"], again["fields"]);
}

TEST(GameEnd, theExitButtonWaitsForTheAnnouncementButEndsTheProgramDuringTheWrongAnswer) {
    GameScript announcing;
    announcing.waitUntil(1000).line("click lblIzlaz").dump("refused");
    announcing.line("click imgOUT").dump("out");
    auto dumps = play(announcing);
    EXPECT_FALSE(dumpLabelled(dumps, "refused")["ended"]);
    EXPECT_EQ(caption(dumpLabelled(dumps, "refused"), "lblIzlaz"), "Odustajem");
    EXPECT_TRUE(dumpLabelled(dumps, "out")["ended"]);

    GameScript wrong;
    wrong.waitForBonusTick(0).confirm(2).waitFor(1000).line("click lblIzlaz").dump("end");
    EXPECT_TRUE(dumpLabelled(play(wrong), "end")["ended"]);
}

TEST(GameEnd, aWrongAnswerToAQuestionWithANoteShowsTheNoteInPlaceOfTheLogos) {
    Json fixture = sampleFixture();
    fixture["tbKviz"][0]["Odred"] = "Obja{wewe";
    GameScript game;
    game.waitForBonusTick(0).confirm(3).dump("da").waitFor(700).dump("beat");
    auto dumps = play(game, fixture);
    const Json& da = dumpLabelled(dumps, "da");
    EXPECT_TRUE(da["fields"]["OdredShown"]);
    EXPECT_EQ(caption(da, "lblOdred"), "Obja{wewe");
    EXPECT_FALSE(da["timers"]["Timer5"]["enabled"]);
    EXPECT_FALSE(visible(da, "lblZnam"));
    for (int i = 1; i <= 10; ++i)
        EXPECT_FALSE(visible(dumpLabelled(dumps, "beat"), element("lblSampioni", i)));
}

TEST(GameEnd, aLevelWithoutQuestionsEndsTheGameWithAMessageInsteadOfAQuestion) {
    for (int level : {1, 2}) {
        SCOPED_TRACE(level);
        Json fixture = sampleFixture();
        Json kept = Json::array();
        for (const Json& q : fixture["tbKviz"])
            if (q["RB"] != level) kept.push_back(q);
        fixture["tbKviz"] = kept;
        GameScript game;
        game.playTo(level).waitFor(100).dump("end").line("click lblNajava(3)").dump("again");
        auto dumps = play(game, fixture);

        const Json& end = dumpLabelled(dumps, "end");
        auto messages = eventsOf(end, "message");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], (Json{{"text", "Нема питања за овај ниво у бази. Допуните базу."},
                                     {"title", "Kvizomat"},
                                     {"icon", "critical"}}));
        expectStartScreen(end);
        EXPECT_FALSE(end["timers"]["timNajava"]["enabled"]);
        EXPECT_EQ(end["fields"]["AnnounceStep"], 0);
        EXPECT_TRUE(dumpLabelled(dumps, "again")["timers"]["timNajava"]["enabled"]);
    }
}
