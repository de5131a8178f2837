// SPDX-License-Identifier: GPL-3.0-or-later
// The celebration of a right answer to questions 1..14 and the climb to the next rung.
#include "app/Form1.h"
#include "app/Spoken.h"
#include "game/Ladder.h"

namespace kvz {

namespace {

// Questions whose right answer passes a checkpoint: the status line says what is kept.
bool isCheckpointQuestion(int questionNo) {
    return questionNo == 5 || questionNo == 10;
}

const char* checkpointMessage(int questionNo) {
    return questionNo == 5 ? " Osvojili ste 1000 BODOVA (2)" : " Osvojili ste 32000 BODOVA (3)";
}

void celebrate(Form1& f) {
    int s = f.SelectedAnswer;
    f.BonusRunning = False;
    f.lblKviz[s].visible = true;
    f.lblKviz[s].back = kOrange;
    bankRungAndBonus(f);
    f.lblNajava[0].visible = true;
    f.Label1[1].visible = true;
    if (f.AdvertShown == True) f.ImgRekl.visible = true;
    f.lblNajava[0].caption = "TA^NO!!!";
    f.PlayProgramSound("Mil.wav");
    if (isCheckpointQuestion(f.QuestionNo)) {
        f.Label1[1].caption = checkpointMessage(f.QuestionNo);
        say(f, f.Label1[1].caption);
    }
}

void blinkOff(Form1& f) {
    f.lblNajava[0].visible = false;
    if (isCheckpointQuestion(f.QuestionNo)) f.Label1[1].visible = false;
}

// The next question is the rung above the orange one. The top rung has none above it,
// and a right answer there never comes here, so the search starts one below it; with
// no orange rung the question stays and rung 1 is lit again.
void climb(Form1& f) {
    int i = 2;
    while (i <= 15 && f.Label3[i].back != kOrange) ++i;
    if (i <= 15) f.QuestionNo = static_cast<Byte>(leadingNumber(f.Label3[i - 1].caption));
    f.Label1[1].visible = true;
    f.Label1[1].caption = "Ne}u da budem kvizomat!";
    f.lblBod.caption = "1";
    showBonusAtStake(f);
    f.ResetLadderColours();
    f.Label3[i - 1].back = kOrange;
    f.lblCIFRA[i - 1].back = kOrange;
    f.AnnounceQuestion();
}

} // namespace

void Form1::Timer3_Timer() {
    if (AnswerLocked == True) return;
    switch (++CelebrateStep) {
    case 1:
        celebrate(*this);
        break;
    case 2:
    case 4:
        blinkOff(*this);
        break;
    case 3:
        lblKviz[SelectedAnswer].visible = true;
        lblNajava[0].visible = true;
        Label1[1].visible = true;
        break;
    case 5:
        lblKviz[SelectedAnswer].visible = true;
        lblKviz[SelectedAnswer].back = kAnswerBlue;
        HideAnswers();
        lblNajava[0].visible = true;
        Label1[1].visible = true;
        break;
    case 6:
        lblTraka.visible = false;
        lblBod.visible = false;
        lblNajava[0].visible = false;
        AnswerLocked = False;
        CelebrateStep = 0;
        Timer3.setEnabled(false);
        climb(*this);
        break;
    default:
        break;
    }
}

} // namespace kvz
