// SPDX-License-Identifier: GPL-3.0-or-later
#include "JokerGame.h"

#include <numeric>

using namespace kvz;
using namespace kvz::test;
using Audience = JokerGame;

namespace {

using Shares = std::array<int, 4>;

const char* const kLetters = "ABVG";

// Every answer on screen gets 1..90 percent, every other 0, and the vote sums to 100.
void expectSoundVote(const Shares& shares, const std::string& onScreen) {
    EXPECT_EQ(std::accumulate(shares.begin(), shares.end(), 0), 100);
    for (int k = 0; k < 4; ++k) {
        int share = shares[static_cast<std::size_t>(k)];
        if (onScreen.find(kLetters[k]) == std::string::npos) {
            EXPECT_EQ(share, 0) << kLetters[k];
        } else {
            EXPECT_GE(share, 1) << kLetters[k];
            EXPECT_LE(share, 90) << kLetters[k];
        }
    }
}

} // namespace

TEST_F(Audience, barsAreWholeHundredthsOfTheChartStandingOnOneBaseLine) {
    form->ChartHeight = 2565;
    form->ChartTop = 1000;
    ask(1, 1);
    rnd.queue(kDoesNotKnow);
    form->ShowAudienceFour();
    // The wrong audience at question 1 ties the right answer with its favourite.
    ASSERT_EQ(chartShares(), (Shares{35, 35, 17, 13}));
    const int heights[4] = {875, 875, 425, 325};
    for (int k = 0; k <= 3; ++k)
        EXPECT_EQ(std::pair(form->shpPub[k].height, form->shpPub[k].bottom()),
                  std::pair(heights[k], 1000 + 2565));
    EXPECT_EQ(storedCounter("PNetac"), 1);
}

TEST_F(Audience, everyFourAnswerVoteIsSoundAndCountsWhetherTheFavouriteWasRight) {
    double right = 0, wrong = 0;
    for (int level = 1; level <= 15; ++level)
        for (int c = 1; c <= 4; ++c)
            for (double knows : {kKnows, kDoesNotKnow}) {
                SCOPED_TRACE("question " + std::to_string(level) + " c=" + std::to_string(c));
                ask(level, c);
                rnd.queue(knows);
                form->ShowAudienceFour();
                expectSoundVote(chartShares(), "ABVG");
                (knows == kKnows ? right : wrong) += 1;
            }
    EXPECT_EQ(storedCounter("PTac"), right);
    EXPECT_EQ(storedCounter("PNetac"), wrong);
}

TEST_F(Audience, everyTwoAnswerVoteIsSoundLedByTheRightAnswerAndTheGoneAnswersHaveNoBar) {
    // A row position that divides by the level never calls for a draw.
    for (int level = 1; level <= 15; ++level)
        for (int c = 1; c <= 4; ++c)
            for (int other = 1; other <= 4; ++other) {
                if (other == c) continue;
                std::string kept = {kLetters[std::min(c, other) - 1],
                                    kLetters[std::max(c, other) - 1]};
                SCOPED_TRACE("question " + std::to_string(level) + " kept " + kept);
                ask(level, c, level * 2);
                afterFiftyFifty(kept);
                form->Image2_Click(4);
                Shares shares = chartShares();
                expectSoundVote(shares, kept);
                for (int k = 0; k <= 3; ++k)
                    if (shares[static_cast<std::size_t>(k)] == 0) {
                        EXPECT_EQ(std::pair(form->shpPub[k].height, form->shpPub[k].top),
                                  std::pair(0, form->ChartTop + form->ChartHeight));
                    }
                EXPECT_GT(shares[static_cast<std::size_t>(c - 1)],
                          shares[static_cast<std::size_t>(other - 1)]);
            }
    EXPECT_EQ(storedCounter("PTac"), 15 * 12);
    EXPECT_EQ(storedCounter("PNetac"), 0);
}

TEST_F(Audience, aRowPositionWithALargeRemainderLetsADrawPickTheFavourite) {
    const struct {
        int level;
        std::int64_t position;
        int draw;      // the draw 1..4 queued for the favourite
        Shares shares; // right answer A, B left on screen
        bool audienceRight;
    } cases[] = {
        {8, 13, 2, {32, 68, 0, 0}, false},  // 13 mod 8 = 5 > 4: the draw hits B
        {8, 13, 3, {68, 32, 0, 0}, true},   // the draw hits V, which is gone
        {8, 12, 2, {68, 32, 0, 0}, true},   // 12 mod 8 = 4: no draw
        {12, 24, 2, {54, 46, 0, 0}, true},  // 24 mod 12 = 0: no draw
        {13, 20, 2, {47, 53, 0, 0}, false}, // 20 mod 13 = 7 > 6: the draw hits B
        {13, 19, 2, {53, 47, 0, 0}, true},  // 19 mod 13 = 6: no draw
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE("question " + std::to_string(tc.level) + " position " +
                     std::to_string(tc.position));
        double right = counter("PTac"), wrong = counter("PNetac");
        ask(tc.level, 1, tc.position);
        afterFiftyFifty("AB");
        rnd.queue(drawOf(tc.draw, 4));
        form->Image2_Click(4);
        EXPECT_EQ(chartShares(), tc.shares);
        EXPECT_EQ(counter("PTac"), right + (tc.audienceRight ? 1 : 0));
        EXPECT_EQ(counter("PNetac"), wrong + (tc.audienceRight ? 0 : 1));
        rnd.next(); // a draw the chart did not take must not reach the next case
    }
}
