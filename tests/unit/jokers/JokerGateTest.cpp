#include "JokerGame.h"

#include <functional>

using namespace kvz;
using kvz::test::JokerGame;

namespace {

using JokerGate = JokerGame;

} // namespace

TEST_F(JokerGate, noJokerActsOutsideALiveQuestion) {
    const struct {
        const char* state;
        std::function<void(Form1&)> enter;
    } states[] = {
        {"no game", [](Form1& f) { f.lblStart.caption = "Start"; }},
        {"game over", [](Form1& f) { f.lblIzlaz.caption = "Izlaz"; }},
        {"DA/NE panel", [](Form1& f) { f.Frame1.visible = true; }},
        {"call", [](Form1& f) { f.Frame2.visible = true; }},
        {"announcement", [](Form1& f) { f.timNajava.setEnabled(true); }},
        {"correct answer", [](Form1& f) { f.lblNajava[0].caption = "TA^NO!!!"; }},
        {"audience chart", [](Form1& f) { f.AnswersEnabled = False; }},
    };
    for (const auto& s : states) {
        for (int joker : {0, 2, 4}) {
            SCOPED_TRACE(std::string(s.state) + ", joker " + std::to_string(joker));
            ask(3, 1);
            s.enter(*form);
            form->Image2_Click(joker);
            EXPECT_EQ(platform.beeps, 0);
            EXPECT_TRUE(form->Image2[joker].visible);
            EXPECT_FALSE(form->Image2[joker + 1].visible);
            EXPECT_EQ(answersOnScreen(), "ABVG");
            EXPECT_EQ(form->Label7[3].caption, "Prijateq:");
            EXPECT_EQ(form->lblSampioni[0].caption, "          REKORDERI");
            EXPECT_EQ(form->FriendCallRunning, False);
        }
    }
    EXPECT_EQ(counter("Tac") + counter("Netac") + counter("PTac") + counter("PNetac"), 0);
}

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
