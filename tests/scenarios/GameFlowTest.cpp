// SPDX-License-Identifier: GPL-3.0-or-later
// A game played through the driver with the real timer periods: the announcement, the
// guards, marking an answer, the climb and the points, and the idle ladder.
#include "GameScript.h"
#include "support/ScriptSupport.h"

#include <gtest/gtest.h>

using namespace kvz;
using namespace kvz::test;

namespace {

constexpr int kNavy = 0x800000, kWhite = 0xFFFFFF, kBlack = 0, kOrange = 0x0080FF,
              kAnswerBlue = 0xC00000, kLit = 0xFFFF00;

} // namespace

TEST(GameFlow, theQuestionAppearsAtThreeSecondsItsLastAnswerAtFivePointFourThenTheBonusCounts) {
    GameScript game;
    game.dump("banner");
    for (std::int64_t t : {2999, 3000, 5399, 5400, 6000, 7999, 8000, 9000, 18000})
        game.waitUntil(t).dump(std::to_string(t));
    auto dumps = play(game);
    auto at = [&](const char* label) { return dumpLabelled(dumps, label); };

    EXPECT_EQ(caption(at("banner"), "lblNajava(2)"), "100");
    EXPECT_FALSE(visible(at("2999"), "lblKviz(0)"));
    EXPECT_TRUE(visible(at("3000"), "lblKviz(0)"));
    EXPECT_EQ(captions(at("3000"), {"lblKviz(0)", "lblKviz(4)"}),
              (Captions{"Pitawe 1.1", "~etvrti"}));
    EXPECT_FALSE(visible(at("5399"), "lblKviz(4)"));
    EXPECT_TRUE(visible(at("5400"), "lblKviz(4)"));
    EXPECT_FALSE(at("6000")["timers"]["timNajava"]["enabled"]);
    EXPECT_TRUE(visible(at("6000"), "lblTraka"));
    EXPECT_EQ(caption(at("6000"), "lblTraka"), "100");

    // The count waits 2 s, then runs once a second down to nothing at tick 11.
    EXPECT_EQ(at("7999")["fields"]["BonusTick"], 0);
    const std::vector<std::string> count = {"lblBod", "lblTraka"};
    EXPECT_EQ(captions(at("8000"), count), (Captions{"1", "100"}));
    EXPECT_EQ(control(at("8000"), "lblTraka")["back"], kBlack);
    EXPECT_EQ(captions(at("9000"), count), (Captions{"2", "90"}));
    EXPECT_EQ(captions(at("18000"), count), (Captions{"11", "0"}));
    EXPECT_FALSE(at("18000")["timers"]["Timer1"]["enabled"]);
}

TEST(GameFlow, answersAndTheExitButtonRefuseInputWhileTheQuestionIsAnnounced) {
    GameScript game;
    // Answer A is on screen from step 6 while the announcement still runs.
    game.waitUntil(3700).dump("before");
    game.line("move lblKviz(1)").line("click lblKviz(1)").line("key 65").line("click lblIzlaz");
    game.dump("after");
    auto dumps = play(game);
    const Json& before = dumpLabelled(dumps, "before");
    const Json& after = dumpLabelled(dumps, "after");
    ASSERT_TRUE(visible(before, "lblKviz(1)"));
    EXPECT_TRUE(after["controls"] == before["controls"]) << "the input changed the window";
    EXPECT_EQ(after["fields"]["SelectedAnswer"], 0);
    EXPECT_TRUE(eventsOf(after, "beep").empty());
}

TEST(GameFlow, aMarkedAnswerOpensTheConfirmationAndFreezesTheOtherAnswersUntilNe) {
    GameScript game;
    game.waitForBonusTick(0).line("move lblKviz(2)").dump("hover");
    game.line("click lblKviz(2)").dump("marked");
    game.line("move lblKviz(3)").line("click lblKviz(3)").line("click lblIzlaz").dump("frozen");
    game.line("click lblDANE(1)").dump("withdrawn");
    game.line("move lblKviz(4)").dump("free");
    auto dumps = play(game);

    const Json& hover = dumpLabelled(dumps, "hover");
    for (int i = 1; i <= 4; ++i) {
        const Json& answer = control(hover, element("lblKviz", i));
        EXPECT_EQ((Json{answer["back"], answer["fore"]}),
                  (i == 2 ? Json{kOrange, kBlack} : Json{kAnswerBlue, kWhite}));
    }
    EXPECT_FALSE(visible(hover, "Frame1"));
    EXPECT_EQ(hover["fields"]["SelectedAnswer"], 0);
    // The check picture sits right under the letter of the answer.
    const Json& letter = control(hover, "Label5(1)");
    const Json& picture = control(hover, "imgVoditelj");
    EXPECT_TRUE(picture["visible"]);
    EXPECT_EQ(picture["top"], letter["top"].get<int>() + letter["height"].get<int>());
    EXPECT_EQ(picture["left"], letter["left"]);

    const Json& marked = dumpLabelled(dumps, "marked");
    EXPECT_TRUE(visible(marked, "Frame1"));
    EXPECT_EQ(marked["fields"]["SelectedAnswer"], 2);
    EXPECT_EQ(eventsOf(marked, "beep").size(), 1u);

    const Json& frozen = dumpLabelled(dumps, "frozen");
    EXPECT_TRUE(frozen["controls"] == marked["controls"]) << "the input changed the window";
    EXPECT_EQ(frozen["fields"]["SelectedAnswer"], 2);

    const Json& withdrawn = dumpLabelled(dumps, "withdrawn");
    EXPECT_FALSE(visible(withdrawn, "Frame1"));
    EXPECT_EQ(control(withdrawn, "lblKviz(2)")["back"], kOrange);
    EXPECT_EQ(withdrawn["fields"]["SelectedAnswer"], 2);
    EXPECT_EQ(control(dumpLabelled(dumps, "free"), "lblKviz(4)")["back"], kOrange);
}

TEST(GameFlow, theCheckPictureJudgesTheAnswerItStandsUnderOncePerGame) {
    GameScript game;
    game.waitForBonusTick(0).line("move lblKviz(3)").line("click imgVoditelj").dump("wrong");
    game.line("move lblKviz(1)").dump("gone");
    game.answerRight().waitForBonusTick(0).line("move lblKviz(1)").dump("next");
    auto dumps = play(game);
    const Json& wrong = dumpLabelled(dumps, "wrong");
    EXPECT_EQ(caption(wrong, "lblVoditelj"), "NE");
    EXPECT_TRUE(visible(wrong, "lblVoditelj") && !visible(wrong, "imgVoditelj"));
    EXPECT_EQ(control(wrong, "lblVoditelj")["left"], control(wrong, "Label5(2)")["left"]);
    EXPECT_FALSE(wrong["fields"]["HostCheckAvailable"]);
    for (const char* label : {"gone", "next"})
        EXPECT_EQ(visibility(dumpLabelled(dumps, label), {"lblVoditelj", "imgVoditelj"}),
                  std::vector<bool>(2, false))
            << label;

    GameScript right;
    right.waitForBonusTick(0).line("move lblKviz(1)").line("click imgVoditelj").dump("right");
    EXPECT_EQ(caption(dumpLabelled(play(right), "right"), "lblVoditelj"), "DA");
}

TEST(GameFlow, aRightAnswerCelebratesForThreeSecondsRefusingInputThenAnnouncesTheNext) {
    GameScript game;
    game.waitForBonusTick(0).confirm(1);
    std::int64_t da = game.now();
    game.dump("da").line("click lblKviz(2)").line("click lblIzlaz").dump("refused");
    game.waitUntil(da + 500).dump("step1").waitUntil(da + 2999).dump("step5");
    game.waitUntil(da + kCelebration).dump("next");
    auto dumps = play(game);

    const Json& d = dumpLabelled(dumps, "da");
    EXPECT_EQ(caption(d, "lblNajava(0)"), "TA^NO!!!");
    EXPECT_TRUE(d["timers"]["Timer3"]["enabled"]);
    EXPECT_FALSE(visible(d, "Frame1"));
    const Json& refused = dumpLabelled(dumps, "refused");
    EXPECT_TRUE(refused["controls"] == d["controls"]) << "the input changed the window";
    EXPECT_EQ(refused["fields"]["SelectedAnswer"], 1);

    const Json& step1 = dumpLabelled(dumps, "step1");
    EXPECT_EQ(captions(step1, {"lblOsv", "Label3(0)"}), (Captions{"100", "100"}));
    EXPECT_EQ(control(step1, "lblKviz(1)")["back"], kOrange);
    EXPECT_EQ(eventsOf(step1, "sound"), std::vector<Json>{"Mil.wav"});
    EXPECT_EQ(control(step1, "lblOsv")["left"].get<int>() +
                  control(step1, "lblOsv")["width"].get<int>(),
              control(step1, "Label1(1)")["left"]);

    EXPECT_EQ(dumpLabelled(dumps, "step5")["fields"]["QuestionNo"], 1);
    const Json& next = dumpLabelled(dumps, "next");
    EXPECT_EQ(next["fields"]["QuestionNo"], 2);
    EXPECT_TRUE(next["timers"]["timNajava"]["enabled"]);
    EXPECT_EQ(caption(next, "lblNajava(2)"), "200");
    EXPECT_EQ(control(next, "Label3(14)")["back"], kOrange);
    EXPECT_EQ(control(next, "Label3(15)")["back"], kNavy);
}

TEST(GameFlow, theBonusOfTheTickTheAnswerWasGivenJoinsThePointsTotal) {
    // 100 + 60 + 90 = 250 after three questions; question 4 at tick 4 is worth 280.
    GameScript game;
    game.answerRight(0).answerRight(8).answerRight(8).waitForBonusTick(4).dump("asked");
    game.confirm(1).waitFor(500).dump("won").waitFor(2500).dump("next");
    auto dumps = play(game);
    const Json& asked = dumpLabelled(dumps, "asked");
    EXPECT_EQ(asked["fields"]["QuestionNo"], 4);
    EXPECT_EQ(captions(asked, {"lblOsv", "lblBod", "lblTraka"}), (Captions{"250", "4", "280"}));
    EXPECT_EQ(captions(dumpLabelled(dumps, "won"), {"lblOsv", "Label3(0)"}),
              (Captions{"530", "500"}));
    EXPECT_EQ(caption(dumpLabelled(dumps, "next"), "lblNajava(2)"), "1.000");
}

TEST(GameFlow, passingACheckpointBlinksWhatIsNowKeptAndQuestionTenMayBeReplaced) {
    GameScript game;
    game.playTo(5).answerRight();
    std::int64_t da = game.now();
    for (int step = 1; step <= 6; ++step)
        game.waitUntil(da + 500 * step).dump("five" + std::to_string(step));
    game.playTo(10).dump("asked").answerRight().waitFor(500).dump("ten");
    auto dumps = play(game);

    // Shown on odd steps, hidden on even ones, back to the game's line at the sixth.
    for (int step = 1; step <= 6; ++step) {
        const Json& d = dumpLabelled(dumps, "five" + std::to_string(step));
        EXPECT_EQ(visible(d, "Label1(1)"), step % 2 == 1 || step == 6) << step;
        if (step % 2 == 1) {
            EXPECT_EQ(caption(d, "Label1(1)"), " Osvojili ste 1000 BODOVA (2)") << step;
        }
    }
    EXPECT_EQ(caption(dumpLabelled(dumps, "five6"), "Label1(1)"), "Ne}u da budem kvizomat!");
    EXPECT_EQ(caption(dumpLabelled(dumps, "ten"), "Label1(1)"), " Osvojili ste 32000 BODOVA (3)");
    // From question 10 the question may be replaced.
    EXPECT_TRUE(visible(dumpLabelled(dumps, "asked"), "lblZamjena"));
}

TEST(GameFlow, theIdleLadderLightsOneRowAtATimeThenFlashesTheJokers) {
    std::string script = "start\n";
    for (int step = 1; step <= 28; ++step)
        script += "wait 200\ndump " + std::to_string(step) + "\n";
    auto dumps = ProgramFolder().run(script);

    // The rows light one at a time from the bottom up; the rest keep their own colours.
    for (int step = 1; step <= 15; ++step) {
        const Json& d = dumpLabelled(dumps, std::to_string(step));
        for (int i = 1; i <= 15; ++i) {
            const Json& c = control(d, element("Label3", i));
            bool checkpoint = i == 1 || i == 6 || i == 11;
            EXPECT_EQ(c["back"], i == 16 - step ? kLit : checkpoint ? kWhite : kNavy) << step << i;
            EXPECT_EQ(c["back"], control(d, element("lblCIFRA", i))["back"]) << step << i;
        }
    }
    // Then the three jokers flash until all of them stand.
    const Json& last = dumpLabelled(dumps, "28");
    for (const char* joker : {"Image2(0)", "Image2(2)", "Image2(4)"})
        EXPECT_TRUE(visible(last, joker)) << joker;
    EXPECT_FALSE(visible(dumpLabelled(dumps, "18"), "Image2(0)"));
}
