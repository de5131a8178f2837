// SPDX-License-Identifier: GPL-3.0-or-later
// DA and NE, the answer check, the verdict on a confirmed answer and the game's heartbeat
// Timer2: record-holder rows, the audience chart, the wrong-answer sequence and the friend
// call.
#include "app/Form1.h"
#include "app/Spoken.h"
#include "game/Ladder.h"
#include "game/RightAnswer.h"

namespace kvz {

namespace {

constexpr const char* kCorrect = "TA^NO!!!";

// A marked answer that has not been judged yet. A panel re-opened by a double click after
// the verdict finds none, so one answer is never judged (and stored) twice; a question
// replaced while the panel is open keeps the mark, which then judges the new question.
bool answerAwaitsJudgement(const Form1& f) {
    int s = f.SelectedAnswer;
    return s >= 1 && s <= 4 && f.lblKviz[s].visible && f.MarkAwaitsJudgement == True &&
           !f.timNajava.enabled() && f.lblNajava[0].caption != kCorrect &&
           f.AnswerLocked == False && f.WinCelebrating == False;
}

void winTopPrize(Form1& f) {
    say(f, kCorrect, SayPriority::Assertive);
    f.WinCelebrating = True;
    f.WinStep = 0;
    f.Timer4.setEnabled(true);
    f.Frame1.visible = false;
    f.ResultsMode = True;
    f.RecordWinner(f.ResultsMode);
    f.Timer2.setEnabled(false);
    f.Timer1.setEnabled(false);
    f.fraStat.visible = false;
    f.lblZnam.caption = "";
    f.Timer5.setEnabled(false);
    for (int i = 0; i <= 4; ++i) f.imgMudrost[i].visible = false;
    f.imgAutor.visible = true;
    f.lblZnam.visible = false;
    f.Label1[1].caption = "Ko ima ZNAWE - ne treba mu MILION!";
    say(f, f.Label1[1].caption);
    f.SayRecordHolders();
    f.PlayProgramSound("Mil.wav");
    f.ImgRekl.visible = f.AdvertShown == True;
    f.ShowSponsor();
    f.Label1[0].visible = false;
    f.lblOsv.visible = false;
}

void startCorrectAnswer(Form1& f) {
    f.AnswerLocked = False;
    f.lblBod.visible = false;
    f.lblTraka.visible = false;
    f.fraStat.visible = false;
    f.lblNajava[0].caption = kCorrect;
    say(f, kCorrect, SayPriority::Assertive);
    f.Timer3.setEnabled(true);
}

void startWrongAnswer(Form1& f) {
    say(f, kWrongAnswerMessage, SayPriority::Assertive);
    if (int t = rightAnswer(f); t != 0) say(f, "Ta~an odgovor je " + answerLine(f, t));
    f.AnswerLocked = True;
    f.ResultsMode = True;
    if (f.lblOdred.caption.empty()) {
        f.OdredShown = False;
        f.lblOdred.visible = false;
    } else {
        // The question's note takes the place of the typewriter and its logos.
        f.StopTypewriter();
        f.lblZnam.visible = false;
        f.lblZnam.caption = "";
        f.OdredShown = True;
        f.lblOdred.visible = true;
    }
    f.RecordHolders(f.ResultsMode);
    f.lblIzlaz.caption = "Izlaz";
    f.lblVoditelj.visible = false;
    f.imgVoditelj.visible = false;
    f.Label1[0].visible = false;
    f.lblOsv.visible = false;
}

void judgeAnswer(Form1& f) {
    f.MarkAwaitsJudgement = False;
    if (rightAnswer(f) != f.SelectedAnswer) {
        startWrongAnswer(f);
        return;
    }
    if (f.QuestionNo == 15)
        winTopPrize(f);
    else
        startCorrectAnswer(f);
    f.ShowJokerStatistics();
}

// Rows 0 to 3 stay lit; rows 4 to 10 go off one per tick, then come back one per tick.
void blinkRecordHolders(Form1& f) {
    for (int i = 0; i <= 3; ++i) f.lblSampioni[i].visible = true;
    if (++f.RecordRowCursor == 11) f.RecordRowCursor = 1;
    if (f.RecordRowCursor > 3) {
        Control& row = f.lblSampioni[f.RecordRowCursor];
        row.visible = !row.visible;
    }
}

// The chart as it reads once it is complete: its title, then each answer's share.
void sayAudienceVote(Form1& f) {
    say(f, f.lblSampioni[0].caption, SayPriority::Assertive);
    for (int k = 1; k <= 4; ++k) say(f, f.lblHvala[k].caption + ": " + f.lblProc[k - 1].caption);
}

// The audience chart appears piece by piece: each answer's letter, bar and share in turn,
// then the button that closes it.
void revealChart(Form1& f) {
    f.lblSampioni[0].visible = !f.lblSampioni[0].visible;
    int step = ++f.ChartRevealStep;
    if (step == 13) {
        f.lblHvala[0].visible = true;
        f.ChartRevealStep = 0;
        sayAudienceVote(f);
        return;
    }
    int answer = (step - 1) / 3;
    switch ((step - 1) % 3) {
    case 0:
        f.lblHvala[answer + 1].visible = true;
        break;
    case 1:
        f.shpPub[answer].visible = true;
        break;
    default:
        f.lblProc[answer].visible = true;
        break;
    }
}

void showLostRung(Form1& f, int r, bool shown) {
    f.Label3[r].visible = shown;
    f.lblCIFRA[r].visible = shown;
}

// One step of the wrong answer played out: the chosen answer red, the right one orange,
// the friend's picture and the lost rung blinking in turn, then the start screen.
void playWrongAnswerStep(Form1& f) {
    int s = f.SelectedAnswer;
    int t = rightAnswer(f);
    int r = rungIndex(f.QuestionNo);
    switch (f.WrongAnswerStep) {
    case 1:
        f.BonusRunning = False;
        f.Timer2.setInterval(800);
        f.imgPotpis.visible = false;
        f.bringToFront(f.imgDrugar);
        f.imgDrugar.visible = true;
        f.PlayProgramSound("Drugar.wav");
        f.lblKviz[s].visible = true;
        f.lblKviz[s].back = kRed;
        if (t != 0) f.lblKviz[t].back = kOrange;
        f.Label3[0].caption = f.lblCIFRA[r].caption;
        break;
    case 2:
        f.imgDrugar.visible = false;
        if (t != 0) f.lblKviz[t].back = kOrange;
        showLostRung(f, r, false);
        break;
    case 3:
        f.imgDrugar.visible = true;
        f.lblKviz[s].visible = true;
        showLostRung(f, r, true);
        break;
    case 4:
        f.imgDrugar.visible = false;
        showLostRung(f, r, false);
        break;
    case 5:
        f.imgDrugar.visible = true;
        f.lblKviz[s].visible = true;
        f.lblKviz[s].back = kAnswerBlue;
        if (t != 0) f.lblKviz[t].back = kAnswerBlue;
        showLostRung(f, r, true);
        f.HideAnswers();
        f.lblTraka.visible = true;
        f.lblBod.visible = true;
        break;
    case 6:
        f.imgDrugar.visible = false;
        f.imgPotpis.visible = true;
        showLostRung(f, r, true);
        f.ReturnToStartAfterWrongAnswer();
        break;
    default:
        break;
    }
}

// The friend's seconds run down by one.
void countDownCall(Form1& f) {
    f.lblTime.caption = plainNumberText(leadingNumber(f.lblTime.caption) - 1);
}

// One step of the friend call: the panel's lines appear in turn and the seconds run down.
void playFriendCallStep(Form1& f) {
    int step = f.FriendCallStep;
    if (step == 30) {
        f.lblTime.caption = "0";
        f.FriendCallRunning = False;
        f.FriendCallStep = 0;
        f.Label7[0].visible = true;
        f.Label7[3].visible = false;
        f.Frame2.visible = false;
        return;
    }
    if (step < 10 && step % 2 == 0) return;
    countDownCall(f);
    switch (step) {
    case 1:
        f.Label7[3].visible = false;
        f.Label7[0].visible = true;
        f.Label7[1].visible = false;
        f.Label7[2].visible = false;
        break;
    case 3:
        f.Label7[0].visible = false;
        f.Label7[3].visible = true;
        say(f, f.Label7[3].caption, SayPriority::Assertive);
        break;
    case 5:
        f.Label7[1].visible = true;
        say(f, f.Label7[1].caption);
        break;
    case 7:
        f.Label7[2].caption = "Prijateq:";
        f.Label7[2].visible = true;
        break;
    case 9:
        f.Label7[2].caption = "Prijateq: " + f.FriendCertainty;
        say(f, f.Label7[2].caption);
        break;
    default:
        break;
    }
}

} // namespace

int rightAnswer(const Form1& f) {
    std::int64_t t = 0;
    if (f.RsQuestion && f.RsQuestion->tac.asWholeNumber(t) && t >= 1 && t <= 4)
        return static_cast<int>(t);
    return 0;
}

void Form1::lblDANE_Click(int index) {
    platform_.beep();
    if (index == 0 && answerAwaitsJudgement(*this)) {
        imgVoditelj.visible = false;
        lblVoditelj.visible = false;
        lblZamjena.visible = false;
        judgeAnswer(*this);
    }
    lblVoditelj.visible = false;
    Frame1.visible = false;
}

void Form1::lblDANE_DblClick(int) {
    if (!Frame1.visible) Frame1.visible = true;
}

void Form1::imgVoditelj_Click() {
    HostCheckAvailable = False;
    for (int k = 0; k <= 3; ++k) {
        const Control& letter = Label5[k];
        if (imgVoditelj.top == letter.top + letter.height && imgVoditelj.left == letter.left)
            lblVoditelj.caption = rightAnswer(*this) == k + 1 ? "DA" : "NE";
    }
    imgVoditelj.visible = false;
    lblVoditelj.visible = true;
    say(*this, lblVoditelj.caption, SayPriority::Assertive);
}

void Form1::Timer2_Timer() {
    lblNajava[2].visible = false;
    if (AnswersEnabled == False) {
        revealChart(*this);
    } else if (OdredShown == True) {
        for (int i = 1; i <= 10; ++i) lblSampioni[i].visible = false;
    } else {
        blinkRecordHolders(*this);
    }
    if (AnswerLocked == True) {
        ++WrongAnswerStep;
        playWrongAnswerStep(*this);
    }
    if (FriendCallRunning == True) {
        ++FriendCallStep;
        playFriendCallStep(*this);
    }
}

} // namespace kvz
