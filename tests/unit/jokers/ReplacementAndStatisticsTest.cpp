// SPDX-License-Identifier: GPL-3.0-or-later
#include "JokerGame.h"

using namespace kvz;
using namespace kvz::test;
using Replacement = JokerGame;
using Statistics = JokerGame;

TEST_F(Replacement, aFullyShownChartClosesWithTheStatisticsBeforeTheQuestionIsReplaced) {
    ask(12, 1);
    rnd.queue(kKnows);
    form->Image2_Click(4);
    for (int i = 0; i <= 4; ++i) form->lblHvala[i].visible = true;
    form->lblZamjena.visible = true;
    form->lblZamjena_Click();
    EXPECT_EQ(form->AnswersEnabled, True);
    EXPECT_FALSE(form->lblHvala[0].visible || form->fraStat.visible);
    EXPECT_EQ(form->lblSampioni[0].caption, "          REKORDERI");
    EXPECT_EQ(form->ReplacementUsed, True);
    EXPECT_EQ(form->lblKviz[0].caption, "Pitawe 12.1");
}

TEST_F(Replacement, aClickWhileTheChartBuildsUpDoesNothing) {
    ask(13, 1);
    rnd.queue(kKnows);
    form->Image2_Click(4);
    form->lblHvala[1].visible = true; // the reveal has begun
    form->lblZamjena.visible = true;
    std::string question = form->lblKviz[0].caption;
    form->lblZamjena_Click();
    EXPECT_TRUE(form->lblZamjena.visible);
    EXPECT_EQ(form->ReplacementUsed, False);
    EXPECT_EQ(form->AnswersEnabled, False);
    EXPECT_TRUE(form->fraStat.visible);
    EXPECT_EQ(form->lblKviz[0].caption, question);
}

TEST_F(Statistics, thePanelShowsTheCountsAndWholePercentRates) {
    const struct {
        int counts[4];     // the friend's right and wrong calls, then the audience's
        const char* rates; // the audience's, then the friend's
    } cases[] = {
        {{0, 0, 0, 0}, "0 % / 0 %"},
        {{2, 1, 3, 0}, "100 % / 66 %"},
        {{29, 71, 1, 2}, "33 % / 29 %"},
        {{0, 5, 7, 1}, "87 % / 0 %"},
    };
    const char* const fields[4] = {"Tac", "Netac", "PTac", "PNetac"};
    for (const auto& tc : cases) {
        for (int i = 0; i < 4; ++i) form->RsStat->set(fields[i], tc.counts[i]);
        form->ShowJokerStatistics();
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(form->lblStat[i].caption,
                      (i % 2 == 0 ? "Ta~no: " : "Neta~no: ") + std::to_string(tc.counts[i]));
        EXPECT_EQ(form->lblStat[4].caption + " / " + form->lblStat[5].caption, tc.rates);
    }
}
