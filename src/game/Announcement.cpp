// SPDX-License-Identifier: GPL-3.0-or-later
// The banner before each question, the loading of the question and the clearing of the
// answers.
#include "app/Form1.h"
#include "app/Spoken.h"
#include "game/Ladder.h"

namespace kvz {

namespace {

// The questions from which the question may be replaced once per game.
constexpr int kFirstReplaceable = 10, kLastReplaceable = 14;

} // namespace

void Form1::AnnounceQuestion() {
    lblNajava[0].caption = "PITAWE";
    lblNajava[1].caption = "ZA";
    lblNajava[3].caption = "BODOVA";
    BonusTick = 0;
    lblNajava[2].caption = lblCIFRA[rungIndex(QuestionNo)].caption;
    timNajava.setEnabled(true);
}

void Form1::timNajava_Timer() {
    ++AnnounceStep;
    switch (AnnounceStep) {
    case 1:
        for (int i = 0; i <= 3; ++i) lblNajava[i].visible = true;
        break;
    case 2:
        lblNajava[2].visible = false;
        break;
    case 3:
        lblNajava[2].visible = true;
        break;
    case 4:
        for (int i = 0; i <= 3; ++i) lblNajava[i].visible = false;
        ImgRekl.visible = false;
        break;
    case 5:
        LoadQuestion();
        // Without a question the game has already gone back to the start screen.
        if (!RsQuestion) return;
        lblKviz[0].visible = true;
        say(*this, lblKviz[0].caption, SayPriority::Assertive);
        break;
    case 6:
    case 7:
    case 8:
    case 9:
        Label5[AnnounceStep - 6].visible = true;
        lblKviz[AnnounceStep - 5].visible = true;
        say(*this, answerLine(*this, AnnounceStep - 5));
        break;
    case 10:
        timNajava.setEnabled(false);
        AnnounceStep = 0;
        showBonusAtStake(*this);
        lblTraka.visible = true;
        lblBod.visible = true;
        LadderBlinkMode = False;
        BonusRunning = True;
        if (QuestionNo == 1) {
            ReplacementUsed = False;
            lblZamjena.visible = false;
        } else if (QuestionNo < kFirstReplaceable || QuestionNo > kLastReplaceable) {
            lblZamjena.visible = false;
        } else {
            lblZamjena.visible = ReplacementUsed != True;
        }
        Timer1.setInterval(2000);
        Timer1.setEnabled(true);
        break;
    default:
        break;
    }
}

void Form1::LoadQuestion() {
    for (int i = 1; i <= 4; ++i) {
        lblKviz[i].back = kAnswerBlue;
        lblKviz[i].fore = kWhite;
    }
    RsQuestion =
        pickQuestion(*Conn, QuestionNo, QuestionCount[QuestionNo], rnd_, platform_.clockSeed());
    if (!RsQuestion) {
        // A bank without a question for this level cannot go on: the game ends as if the
        // player had walked away, keeping what was reached so far.
        timNajava.setEnabled(false);
        AnnounceStep = 0;
        platform_.messageBox("Нема питања за овај ниво у бази. Допуните базу.", "Kvizomat",
                             MessageIcon::Critical);
        ReturnToStartAfterWalkAway();
        return;
    }
    for (int i = 1; i <= 5; ++i)
        lblKviz[i - 1].caption = RsQuestion->at(static_cast<std::size_t>(i)).text();
    lblOdred.caption = RsQuestion->odred.isNullOrEmpty() ? "" : RsQuestion->odred.text();
}

void Form1::HideAnswers() {
    for (int i = 0; i <= 4; ++i) {
        lblKviz[i].visible = false;
        lblKviz[i].caption = "";
    }
    for (int i = 0; i <= 3; ++i) Label5[i].visible = false;
    lblTraka.visible = false;
    lblBod.visible = false;
}

void Form1::lblNajava_Click(int index) {
    if (index == 3 && lblNajava[3].caption == "NOVA IGRA") lblStart_Click();
}

} // namespace kvz
