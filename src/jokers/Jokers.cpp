// SPDX-License-Identifier: GPL-3.0-or-later
// The three jokers: 50:50, the call to a friend and the audience, and the closing of the
// audience chart.
#include "jokers/Jokers.h"

#include "app/Form1.h"
#include "app/Spoken.h"
#include "game/RightAnswer.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace kvz {

namespace {

// The joker pictures that act: available 50:50, telephone and audience.
constexpr int kFiftyFifty = 0, kTelephone = 2, kAudience = 4, kHangUp = 7;

// The first of the answers 1..4 that is not c: what the friend and the audience name when
// they do not know.
int firstOtherAnswer(int c) {
    return c == 1 ? 2 : 1;
}

// KnowsAnswer is True at a level when a draw 1..100 falls below this; never outside 1..15.
int knowsThreshold(int level) {
    if (level < 1 || level > 15) return 0;
    if (level <= 3) return 90;
    if (level <= 7) return 80;
    if (level <= 11) return 70;
    if (level <= 13) return 60;
    return 50;
}

// The two answers 50:50 leaves for the right answer c and a draw r: c and r, or c and the
// answer after it (G is followed by A) when the draw hits c.
std::pair<int, int> fiftyFiftyKeeps(int c, int r) {
    if (r == c) return {c, c % 4 + 1};
    return {c, r};
}

// How sure the friend is, in percent: it depends on the level and the right answer only.
int friendCertainty(int level, int c) {
    if (level < 7) return 100 - 2 * level - c;
    if (level <= 12) return 100 - level * c;
    return 100 - level * c + level;
}

// "A", "B", "V" or "G" for the answers 1..4.
std::string answerLetter(int k) {
    static const char* const letters[4] = {"A", "B", "V", "G"};
    return letters[k - 1];
}

void showAnswer(Form1& f, int k, bool shown) {
    f.lblKviz[k].visible = shown;
    f.Label5[k - 1].visible = shown;
}

// A joker acts only during a live question: a game runs, no panel, announcement, correct
// answer sequence or audience chart is up, and its picture still shows it available.
bool jokerMayAct(Form1& f, int index) {
    if (f.lblIzlaz.caption == "Izlaz" || f.lblStart.caption == "Start") return false;
    if (f.Frame1.visible || f.Frame2.visible || f.timNajava.enabled()) return false;
    if (f.lblNajava[0].caption == "TA^NO!!!" || f.AnswersEnabled == False) return false;
    return f.Image2.has(index) && f.Image2[index].visible;
}

// The telephone and the audience need the answers on screen: all four, or the two that
// 50:50 left.
bool answersOnScreen(Form1& f) {
    return f.lblKviz[4].visible || !f.Image2[kFiftyFifty].visible;
}

void useJoker(Form1& f, int index) {
    f.platform().beep();
    f.Image2[index].visible = false;
    f.Image2[index + 1].visible = true;
}

void fiftyFifty(Form1& f) {
    if (!f.lblKviz[4].visible) return;
    int c = rightAnswerOrStop(f);
    useJoker(f, kFiftyFifty);
    for (int k = 1; k <= 4; ++k) showAnswer(f, k, false);
    auto [first, second] = fiftyFiftyKeeps(c, f.rnd().draw(4));
    showAnswer(f, first, true);
    showAnswer(f, second, true);
    // The two answers left, in reading order.
    say(f, answerLine(f, std::min(first, second)), SayPriority::Assertive);
    say(f, answerLine(f, std::max(first, second)));
}

void callFriend(Form1& f) {
    if (!answersOnScreen(f)) return;
    rightAnswerOrStop(f); // a question without a valid right answer stops the call before it starts
    useJoker(f, kTelephone);
    f.fraStat.visible = true;
    f.ImgRekl.visible = false;
    f.lblTime.caption = "30";
    f.Frame2.visible = true;
    f.Label7[3].caption = "Prijateq: Odgovor je - " + f.FriendAnswer();
    // The call runs on the game timer from here on and ends by itself. A call hung up in an
    // earlier game may still be counting down unseen; this one starts from its first step,
    // or it would end early without ever showing the friend's answer.
    f.FriendCallStep = 0;
    f.FriendCallRunning = True;
    for (int i = 4; i <= 10; ++i) f.lblSampioni[i].visible = false;
}

void askAudience(Form1& f) {
    if (!answersOnScreen(f)) return;
    rightAnswerOrStop(f); // likewise before the joker is spent
    useJoker(f, kAudience);
    f.fraStat.visible = true;
    f.ImgRekl.visible = false;
    for (int i = 1; i <= 10; ++i) f.lblSampioni[i].visible = false;
    f.lblSampioni[0].caption = "          REZULTATI";
    int onScreen = 0;
    for (int k = 1; k <= 4; ++k) onScreen += f.lblKviz[k].visible ? 1 : 0;
    if (onScreen == 4)
        f.ShowAudienceFour();
    else if (f.QuestionNo <= 5)
        f.ShowAudienceTwoLow();
    else if (f.QuestionNo <= 10)
        f.ShowAudienceTwoMid();
    else
        f.ShowAudienceTwoHigh();
    // The chart is filled but hidden; the game timer reveals it piece by piece.
    f.AnswersEnabled = False;
}

// The call frame closes; the countdown goes on unseen until its last step.
void hangUp(Form1& f) {
    f.Label7[0].visible = true;
    f.Label7[3].visible = false;
    f.Label7[3].caption = "Prijateq: ";
    f.Frame2.visible = false;
}

} // namespace

int rightAnswerOrStop(const Form1& form) {
    const int c = rightAnswer(form);
    if (c == 0) throw std::runtime_error("Pitawe nema ispravan ta~an odgovor");
    return c;
}

int favouredAnswer(Form1& form, int c) {
    int a = c;
    if (form.KnowsAnswer(form.QuestionNo) == False) a = firstOtherAnswer(c);
    if (!form.lblKviz[a].visible) a = c;
    return a;
}

void Form1::Image2_Click(int index) {
    if (index == kHangUp) {
        hangUp(*this);
        return;
    }
    if (!jokerMayAct(*this, index)) return;
    // A failing step (a question without a valid right answer, a database write) stops the
    // joker where it is and is reported in the banner; what was done stays done.
    try {
        if (index == kFiftyFifty)
            fiftyFifty(*this);
        else if (index == kTelephone)
            callFriend(*this);
        else if (index == kAudience)
            askAudience(*this);
    } catch (const std::exception& e) {
        Label1[1].caption = "RB " + std::to_string(QuestionNo) +
                            " \\oker : " + std::to_string(index) + " Opis: " + e.what();
    }
}

Boolean Form1::KnowsAnswer(Byte level) {
    return toBoolean(rnd_.draw(100) < knowsThreshold(level));
}

std::string Form1::FriendAnswer() {
    int c = rightAnswerOrStop(*this);
    int a = favouredAnswer(*this, c);
    RsStat->bump(a == c ? "Tac" : "Netac");
    FriendCertainty = std::to_string(friendCertainty(QuestionNo, c)) + " %";
    return answerLetter(a);
}

void Form1::lblHvala_Click(int index) {
    platform_.beep();
    if (index != 0) return;
    lblSampioni[0].caption = "          REKORDERI";
    HideAudienceChart();
    AnswersEnabled = True;
    RecordRowCursor = 0;
}

void Form1::HideAudienceChart() {
    for (int i = 0; i <= 3; ++i) {
        lblHvala[i].visible = false;
        lblProc[i].visible = false;
        shpPub[i].visible = false;
    }
    lblHvala[4].visible = false;
    ChartRevealStep = 0;
}

} // namespace kvz
