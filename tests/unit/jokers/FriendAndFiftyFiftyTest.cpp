// SPDX-License-Identifier: GPL-3.0-or-later
#include "JokerGame.h"

#include <set>

using namespace kvz;
using namespace kvz::test;
using FriendAndFiftyFifty = JokerGame;

const char* const kLetters = "ABVG";

TEST_F(FriendAndFiftyFifty, fiftyFiftyAlwaysKeepsTheRightAnswerAndOneOtherThatTheDrawDecides) {
    for (int c = 1; c <= 4; ++c) {
        std::set<std::string> kept;
        for (int r = 1; r <= 4; ++r) {
            SCOPED_TRACE("c=" + std::to_string(c) + " r=" + std::to_string(r));
            ask(2, c);
            rnd.queue(drawOf(r, 4));
            form->Image2_Click(0);
            const std::string shown = answersOnScreen();
            ASSERT_EQ(shown.size(), 2u);
            EXPECT_NE(shown.find(kLetters[c - 1]), std::string::npos);
            kept.insert(shown);
            EXPECT_TRUE(!form->Image2[0].visible && form->Image2[1].visible) << "50:50 used";
            EXPECT_EQ(platform.beeps, 1);
        }
        EXPECT_EQ(kept.size(), 3u) << "every wrong answer can be the one kept, c=" << c;
    }
    // A second use, as a stray key press would ask for it, and the used picture do nothing.
    ask(2, 1);
    rnd.queue(drawOf(2, 4));
    form->Image2_Click(0);
    rnd.queue(drawOf(3, 4));
    form->Image2_Click(0);
    form->click(form->Image2[1]);
    EXPECT_EQ(answersOnScreen(), "AB");
    EXPECT_EQ(platform.beeps, 1);
}

TEST_F(FriendAndFiftyFifty, theFriendWhoKnowsNamesTheRightAnswerAndTheCallStarts) {
    ask(5, 3);
    rnd.queue(kKnows);
    form->Image2_Click(2);
    EXPECT_EQ(form->Label7[3].caption, "Prijateq: Odgovor je - V");
    EXPECT_TRUE(form->Frame2.visible && form->fraStat.visible);
    EXPECT_EQ(form->lblTime.caption, "30");
    EXPECT_EQ(form->FriendCallRunning, True);
    EXPECT_TRUE(!form->Image2[2].visible && form->Image2[3].visible) << "the friend called";
    for (int i = 4; i <= 10; ++i) EXPECT_FALSE(form->lblSampioni[i].visible) << i;
    EXPECT_EQ(platform.beeps, 1);
    // The right call is counted in the file at once; the open panel keeps the old count.
    EXPECT_EQ(std::pair(storedCounter("Tac"), storedCounter("Netac")), std::pair(1.0, 0.0));
    EXPECT_EQ(form->lblStat[0].caption, "Ta~no: 0");
}

TEST_F(FriendAndFiftyFifty, theFriendWhoDoesNotKnowNamesAWrongAnswerUnlessFiftyFiftyTookItAway) {
    double wrong = 0;
    for (int c = 1; c <= 4; ++c) {
        ask(8, c);
        rnd.queue(kDoesNotKnow);
        const std::string named = form->FriendAnswer();
        EXPECT_NE(named, std::string(1, kLetters[c - 1])) << "c=" << c;
        EXPECT_EQ(storedCounter("Netac"), ++wrong);
        // How sure the friend sounds does not tell whether the friend knows.
        const std::string unsure = form->FriendCertainty;
        rnd.queue(kKnows);
        form->FriendAnswer();
        EXPECT_EQ(form->FriendCertainty, unsure) << "c=" << c;
    }
    EXPECT_EQ(storedCounter("Tac"), 4);

    ask(4, 2);
    rnd.queue(drawOf(4, 4)); // 50:50 leaves B and G; A, the friend's guess, is gone
    form->Image2_Click(0);
    rnd.queue(kDoesNotKnow);
    form->Image2_Click(2);
    EXPECT_EQ(form->Label7[3].caption, "Prijateq: Odgovor je - B");
    EXPECT_EQ(storedCounter("Tac"), 5);
}

TEST_F(FriendAndFiftyFifty, theFriendKnowsMostEarlyQuestionsAndAboutHalfOfTheLastOnes) {
    rnd.randomize(20261207);
    auto shareKnown = [&](int level) {
        int known = 0;
        for (int i = 0; i < 2000; ++i) known += form->KnowsAnswer(static_cast<Byte>(level)) == True;
        return known / 20.0;
    };
    double previous = 100;
    for (int level = 1; level <= 15; ++level) {
        const double share = shareKnown(level);
        EXPECT_LE(share, previous + 5) << "question " << level;
        previous = share;
    }
    EXPECT_GE(shareKnown(1), 85);
    EXPECT_NEAR(shareKnown(15), 50, 5);
    EXPECT_EQ(shareKnown(0), 0);
    EXPECT_EQ(shareKnown(16), 0);
}

TEST_F(FriendAndFiftyFifty, aCallStartedWhileAnEarlierHungUpCallStillCountsRunsItsFullThirtySteps) {
    form->FriendCallRunning = True; // hung up in the game before, 15 steps ago
    form->FriendCallStep = 15;
    ask(1, 2);
    rnd.queue(kKnows);
    form->Image2_Click(2);
    for (int step = 1; step <= 29; ++step) form->tick(form->Timer2);
    EXPECT_TRUE(form->Frame2.visible);
    EXPECT_EQ(form->Label7[3].caption, "Prijateq: Odgovor je - B");
    form->tick(form->Timer2);
    EXPECT_FALSE(form->Frame2.visible);
    EXPECT_EQ(form->FriendCallRunning, False);
}
