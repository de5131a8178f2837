// SPDX-License-Identifier: GPL-3.0-or-later
#include "JokerGame.h"

using namespace kvz;
using JokerGate = kvz::test::JokerGame;

TEST_F(JokerGate, aQuestionWithoutAValidRightAnswerStopsEachJokerBeforeItChangesAnything) {
    const Value badAnswers[] = {Value(7), Value(0), Value("x"), Value(2.5), Value()};
    for (const Value& tac : badAnswers) {
        for (int joker : {0, 2, 4}) {
            SCOPED_TRACE("Tac " + tac.text() + ", joker " + std::to_string(joker));
            ask(4, tac);
            form->Label1[1].caption = "";
            form->Image2_Click(joker);
            EXPECT_TRUE(form->Label1[1].caption.starts_with(
                "RB 4 \\oker : " + std::to_string(joker) + " Opis: "))
                << form->Label1[1].caption;
            EXPECT_GT(form->Label1[1].caption.size(), std::string("RB 4 \\oker : 0 Opis: ").size());
            EXPECT_TRUE(form->Image2[joker].visible);
            EXPECT_EQ(answersOnScreen(), "ABVG");
            EXPECT_FALSE(form->Frame2.visible);
            EXPECT_EQ(form->AnswersEnabled, True);
        }
    }
    EXPECT_EQ(counter("Tac") + counter("Netac") + counter("PTac") + counter("PNetac"), 0);
}
