// SPDX-License-Identifier: GPL-3.0-or-later
// Hovering over and marking one of the four answers.
#include "app/Form1.h"
#include "app/Spoken.h"

namespace kvz {

namespace {

// A sequence is running or a panel is open: answers take no hover and no mark.
bool answersRefused(const Form1& f) {
    return f.Frame1.visible || f.Frame2.visible || f.timNajava.enabled() ||
           f.lblNajava[0].caption == "TA^NO!!!" || f.AnswerLocked == True ||
           f.AnswersEnabled == False;
}

bool isAnswer(int k) {
    return k >= 1 && k <= 4;
}

// Answer k orange with black text, the other three in their resting colours.
void highlightAnswer(Form1& f, int k) {
    for (int i = 1; i <= 4; ++i) {
        f.lblKviz[i].back = i == k ? kOrange : kAnswerBlue;
        f.lblKviz[i].fore = i == k ? kBlack : kWhite;
    }
}

// The marked answer, then the question the confirmation panel asks.
void sayMark(Form1& f) {
    say(f, answerLine(f, f.SelectedAnswer), SayPriority::Assertive);
    say(f, f.Label6.caption);
}

} // namespace

void Form1::lblKviz_Click(int index) {
    if (answersRefused(*this) || !isAnswer(index)) return;
    platform_.beep();
    SelectedAnswer = static_cast<Byte>(index);
    MarkAwaitsJudgement = True;
    Frame1.visible = true;
    highlightAnswer(*this, index);
    PlaceCheckPicture(SelectedAnswer);
    sayMark(*this);
}

void Form1::lblKviz_MouseMove(int index) {
    if (answersRefused(*this) || !isAnswer(index)) return;
    highlightAnswer(*this, index);
    PlaceCheckPicture(index);
}

void Form1::MarkSelectedAnswer() {
    if (!isAnswer(SelectedAnswer) || !lblKviz[SelectedAnswer].visible) return;
    MarkAwaitsJudgement = True;
    Frame1.visible = true;
    highlightAnswer(*this, SelectedAnswer);
    PlaceCheckPicture(SelectedAnswer);
    sayMark(*this);
}

void Form1::PlaceCheckPicture(int k) {
    if (QuestionNo > 9 || HostCheckAvailable == False) {
        lblVoditelj.visible = false;
        imgVoditelj.visible = false;
        return;
    }
    const Control& letter = Label5[k - 1];
    imgVoditelj.top = letter.top + letter.height;
    imgVoditelj.left = letter.left;
    lblVoditelj.top = imgVoditelj.top;
    lblVoditelj.left = imgVoditelj.left;
    if (lblVoditelj.visible) lblVoditelj.visible = false;
    if (!imgVoditelj.visible) imgVoditelj.visible = true;
}

} // namespace kvz
