// SPDX-License-Identifier: GPL-3.0-or-later
#include "JokerGame.h"

using namespace kvz;
using kvz::test::JokerGame;
using kvz::test::kKnows;

namespace {

using Replacement = JokerGame;
using Statistics = JokerGame;

} // namespace

TEST_F(Replacement, aFullyShownChartClosesWithTheStatisticsBeforeTheQuestionIsReplaced) {
    ask(12, 1);
    rnd.queue(kKnows);
    form->Image2_Click(4);
    for (int i = 0; i <= 4; ++i) form->lblHvala[i].visible = true;
    form->lblZamjena.visible = true;
    form->lblZamjena_Click();
    EXPECT_EQ(form->AnswersEnabled, True);
    EXPECT_FALSE(form->lblHvala[0].visible);
    EXPECT_FALSE(form->fraStat.visible);
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
        int right, wrong, audienceRight, audienceWrong;
        const char* friendRate;
        const char* audienceRate;
    } cases[] = {
        {0, 0, 0, 0, "0 %", "0 %"},
        {2, 1, 3, 0, "66 %", "100 %"},
        {29, 71, 1, 2, "29 %", "33 %"},
        {0, 5, 7, 1, "0 %", "87 %"},
    };
    for (const auto& tc : cases) {
        form->RsStat->set("Tac", tc.right);
        form->RsStat->set("Netac", tc.wrong);
        form->RsStat->set("PTac", tc.audienceRight);
        form->RsStat->set("PNetac", tc.audienceWrong);
        form->ShowJokerStatistics();
        EXPECT_EQ(form->lblStat[0].caption, "Ta~no: " + std::to_string(tc.right));
        EXPECT_EQ(form->lblStat[1].caption, "Neta~no: " + std::to_string(tc.wrong));
        EXPECT_EQ(form->lblStat[2].caption, "Ta~no: " + std::to_string(tc.audienceRight));
        EXPECT_EQ(form->lblStat[3].caption, "Neta~no: " + std::to_string(tc.audienceWrong));
        EXPECT_EQ(form->lblStat[5].caption, tc.friendRate);
        EXPECT_EQ(form->lblStat[4].caption, tc.audienceRate);
    }
}
