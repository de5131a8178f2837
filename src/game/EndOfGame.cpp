// SPDX-License-Identifier: GPL-3.0-or-later
// The end of a game: the message of the points kept, the return to the start screen after
// a wrong answer or after walking away, and leaving the program.
#include "app/Form1.h"
#include "app/Spoken.h"

#include <algorithm>

namespace kvz {

namespace {

// What a wrong answer to question q still leaves: the checkpoints count once passed.
const char* pointsKept(int q) {
    if (q <= 5) return "0 BODOVA";
    if (q <= 10) return "1000 BODOVA";
    return "32000 BODOVA";
}

void resetScoreDisplays(Form1& f) {
    f.lblOsv.caption = "0";
    f.lblBod.caption = "1";
    f.lblTraka.caption = "100";
}

void showNewGameButton(Form1& f) {
    f.lblNajava[3].caption = "NOVA IGRA";
    f.lblNajava[3].visible = true;
}

// Steps both returns share once the ladder and the score are set back: all three jokers
// available again, the board unlocked and the ladder at rest.
void restoreJokersAndLadder(Form1& f) {
    for (int i = 0; i <= 5; ++i) f.Image2[i].visible = i % 2 == 0;
    f.AnswerLocked = False;
    f.WrongAnswerStep = 0;
    f.ResetLadderColours();
}

void showStartScreen(Form1& f) {
    f.LadderBlinkMode = True;
    f.BonusRunning = False;
    f.lblStart.caption = "Start";
    f.Label4.visible = true;
}

void forgetGame(Form1& f) {
    f.Label8[0].visible = false;
    f.Label8[1].visible = false;
    f.QuestionNo = 1;
}

// Whether a sequence or an open panel keeps the exit button from acting.
bool exitRefused(const Form1& f) {
    return f.Frame1.visible || f.Frame2.visible || f.AnswersEnabled == False ||
           f.timNajava.enabled() || f.lblNajava[0].caption == "TA^NO!!!";
}

} // namespace

void Form1::GameOverMessage() {
    lblFirma[1].caption = kWrongAnswerMessage;
    int q = QuestionNo;
    // Questions 1 and 2 both read 1; a wrong answer at the top reads 14.
    int reached = std::clamp(q - 1, 1, 14);
    for (int i : {3, 1, 5}) lblFirma[i].fore = kWhite;
    lblFirma[3].caption = std::string("Osvojili ste: ") + pointsKept(q) + "  do pitawa broj " +
                          std::to_string(reached);
    lblFirma[5].caption = "";
    for (int i : {1, 3, 5}) lblFirma[i].visible = true;
    say(*this, lblFirma[3].caption);
}

void Form1::ReturnToStartAfterWrongAnswer() {
    lblTraka.visible = false;
    lblBod.visible = false;
    fraStat.visible = false;
    Label3[0].caption = "0";
    Timer2.setInterval(700);
    showNewGameButton(*this);
    lblInfo.visible = true;
    resetScoreDisplays(*this);
    GameOverMessage();
    SayRecordHolders();
    restoreJokersAndLadder(*this);
    LadderBlinkStep = 0;
    Timer1.setInterval(200);
    Timer1.setEnabled(true);
    showStartScreen(*this);
    Text1.visible = true;
    forgetGame(*this);
}

void Form1::ReturnToStartAfterWalkAway() {
    // What the player walks away with, before the displays are set back.
    say(*this, Label2.caption + ": " + Label3[0].caption, SayPriority::Assertive);
    imgVoditelj.visible = false;
    lblVoditelj.visible = false;
    lblZamjena.visible = false;
    HostCheckAvailable = True;
    lblStart.caption = "Start";
    lblInfo.visible = true;
    ResultsMode = True;
    RecordHolders(ResultsMode);
    SayRecordHolders();
    fraStat.visible = false;
    HideAnswers();
    keyPreview = false;
    Text1.visible = true;
    Label3[0].caption = "0";
    showNewGameButton(*this);
    resetScoreDisplays(*this);
    LadderBlinkStep = 0;
    Timer1.setEnabled(false);
    Timer1.setInterval(200);
    restoreJokersAndLadder(*this);
    showStartScreen(*this);
    forgetGame(*this);
    lblIzlaz.caption = "Izlaz";
}

void Form1::lblIzlaz_Click() {
    if (exitRefused(*this)) return;
    if (lblIzlaz.caption == "Odustajem") {
        platform_.beep();
        ReturnToStartAfterWalkAway();
    } else {
        endProgram();
    }
}

void Form1::imgOUT_Click() {
    endProgram();
}

} // namespace kvz
