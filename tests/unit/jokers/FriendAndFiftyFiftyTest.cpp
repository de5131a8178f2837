#include "JokerGame.h"

using namespace kvz;
using kvz::test::drawOf;
using kvz::test::JokerGame;
using kvz::test::kDoesNotKnow;
using kvz::test::kKnows;

namespace {

using FriendAndFiftyFifty = JokerGame;

} // namespace

TEST_F(FriendAndFiftyFifty,
       fiftyFiftyKeepsTheRightAnswerWithTheDrawnOneOrTheNextWhenTheDrawHitsIt) {
    // What stays for the right answer c (rows) and the draw r = A, B, V, G (columns).
    const char* const kept[4][4] = {{"AB", "AB", "AV", "AG"},
                                    {"AB", "BV", "BV", "BG"},
                                    {"AV", "BV", "VG", "VG"},
                                    {"AG", "BG", "VG", "AG"}};
    for (int c = 1; c <= 4; ++c) {
        for (int r = 1; r <= 4; ++r) {
            SCOPED_TRACE("c=" + std::to_string(c) + " r=" + std::to_string(r));
            ask(2, c);
            rnd.queue(drawOf(r, 4));
            form->Image2_Click(0);
            EXPECT_EQ(answersOnScreen(), kept[c - 1][r - 1]);
            EXPECT_FALSE(form->Image2[0].visible);
            EXPECT_TRUE(form->Image2[1].visible);
            EXPECT_EQ(platform.beeps, 1);
        }
    }
}

TEST_F(FriendAndFiftyFifty, aUsedFiftyFiftyDoesNothingMore) {
    ask(2, 1);
    rnd.queue(drawOf(2, 4));
    form->Image2_Click(0);
    rnd.queue(drawOf(3, 4));
    form->Image2_Click(0);        // a second use, as a stray key press would ask for it
    form->click(form->Image2[1]); // the used picture has no action
    EXPECT_EQ(answersOnScreen(), "AB");
    EXPECT_EQ(platform.beeps, 1);
}

TEST_F(FriendAndFiftyFifty, theFriendWhoKnowsNamesTheRightAnswerAndTheCallStarts) {
    ask(5, 3);
    rnd.queue(kKnows);
    form->Image2_Click(2);
    EXPECT_EQ(form->Label7[3].caption, "Prijateq: Odgovor je - V");
    EXPECT_EQ(form->FriendCertainty, "87 %");
    EXPECT_TRUE(form->Frame2.visible);
    EXPECT_TRUE(form->fraStat.visible);
    EXPECT_EQ(form->lblTime.caption, "30");
    EXPECT_EQ(form->FriendCallRunning, True);
    EXPECT_FALSE(form->Image2[2].visible);
    EXPECT_TRUE(form->Image2[3].visible);
    for (int i = 4; i <= 10; ++i) EXPECT_FALSE(form->lblSampioni[i].visible) << i;
    EXPECT_EQ(platform.beeps, 1);
    // The right call is counted in the file at once; the open panel keeps the old count.
    EXPECT_EQ(storedCounter("Tac"), 1);
    EXPECT_EQ(storedCounter("Netac"), 0);
    EXPECT_EQ(form->lblStat[0].caption, "Ta~no: 0");
}

TEST_F(FriendAndFiftyFifty, theFriendWhoDoesNotKnowNamesTheFirstOtherAnswerAndIsCountedWrong) {
    const struct {
        int c;
        const char* named;
    } cases[] = {{1, "B"}, {2, "A"}, {4, "A"}};
    double wrong = 0;
    for (const auto& tc : cases) {
        ask(8, tc.c);
        rnd.queue(kDoesNotKnow);
        EXPECT_EQ(form->FriendAnswer(), tc.named) << "c=" << tc.c;
        EXPECT_EQ(storedCounter("Netac"), ++wrong);
    }
    EXPECT_EQ(counter("Tac"), 0);
}

TEST_F(FriendAndFiftyFifty, aFriendWhoseGuessFiftyFiftyTookAwayNamesTheRightAnswer) {
    ask(4, 2);
    rnd.queue(drawOf(4, 4)); // 50:50 leaves B and G; A, the friend's guess, is gone
    form->Image2_Click(0);
    rnd.queue(kDoesNotKnow);
    form->Image2_Click(2);
    EXPECT_EQ(form->Label7[3].caption, "Prijateq: Odgovor je - B");
    EXPECT_EQ(storedCounter("Tac"), 1);
    EXPECT_EQ(storedCounter("Netac"), 0);
}

TEST_F(FriendAndFiftyFifty, theCertaintyDependsOnTheLevelAndTheRightAnswerOnly) {
    const struct {
        int level, c;
        const char* certainty;
    } cases[] = {{3, 2, "92 %"}, {7, 1, "93 %"}, {10, 3, "70 %"}, {13, 4, "61 %"}, {15, 4, "55 %"}};
    for (const auto& tc : cases) {
        for (double knows : {kKnows, kDoesNotKnow}) {
            ask(tc.level, tc.c);
            rnd.queue(knows);
            form->FriendAnswer();
            EXPECT_EQ(form->FriendCertainty, tc.certainty) << "question " << tc.level;
        }
    }
}

TEST_F(FriendAndFiftyFifty, theChanceOfKnowingFallsWithTheLevel) {
    // A draw 1..100 below the threshold of the level knows the answer.
    const int thresholds[16] = {0, 90, 90, 90, 80, 80, 80, 80, 70, 70, 70, 70, 60, 60, 50, 50};
    for (int level = 1; level <= 15; ++level) {
        rnd.queue(drawOf(thresholds[level] - 1, 100));
        EXPECT_EQ(form->KnowsAnswer(static_cast<Byte>(level)), True) << level;
        rnd.queue(drawOf(thresholds[level], 100));
        EXPECT_EQ(form->KnowsAnswer(static_cast<Byte>(level)), False) << level;
    }
    for (Byte level : {Byte{0}, Byte{16}}) {
        rnd.queue(drawOf(1, 100));
        EXPECT_EQ(form->KnowsAnswer(level), False) << int{level};
    }
}

TEST_F(FriendAndFiftyFifty, hangingUpClosesTheCallWhoseCountdownStillEndsByItself) {
    ask(6, 1);
    rnd.queue(kKnows);
    form->Image2_Click(2);
    form->tick(form->Timer2);
    EXPECT_TRUE(form->click(form->Image2[7]));
    EXPECT_FALSE(form->Frame2.visible);
    EXPECT_TRUE(form->Label7[0].visible);
    EXPECT_FALSE(form->Label7[3].visible);
    EXPECT_EQ(form->Label7[3].caption, "Prijateq: ");
    EXPECT_EQ(form->FriendCallRunning, True);
    form->Image2_Click(2);
    EXPECT_FALSE(form->Frame2.visible);
    for (int step = 2; step <= 30; ++step) form->tick(form->Timer2);
    EXPECT_EQ(form->FriendCallRunning, False);
    EXPECT_EQ(form->FriendCallStep, 0);
    EXPECT_EQ(storedCounter("Tac"), 1);
}

TEST_F(FriendAndFiftyFifty, aCallStartedWhileAnEarlierHungUpCallStillCountsRunsItsFullThirtySteps) {
    form->FriendCallRunning = True; // hung up in the game before, 15 steps ago
    form->FriendCallStep = 15;
    ask(1, 2);
    rnd.queue(kKnows);
    form->Image2_Click(2);
    for (int step = 1; step <= 3; ++step) form->tick(form->Timer2);
    EXPECT_TRUE(form->Label7[3].visible);
    EXPECT_EQ(form->Label7[3].caption, "Prijateq: Odgovor je - B");
    for (int step = 4; step <= 29; ++step) form->tick(form->Timer2);
    EXPECT_TRUE(form->Frame2.visible);
    form->tick(form->Timer2);
    EXPECT_FALSE(form->Frame2.visible);
    EXPECT_EQ(form->FriendCallRunning, False);
}
