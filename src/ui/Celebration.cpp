// SPDX-License-Identifier: GPL-3.0-or-later
// Timer4: the celebration of the top prize, and the sponsor panel it leaves on screen.
#include "app/Form1.h"
#include "game/Ladder.h"

#include <array>

namespace kvz {

namespace {

// The top rung and the status line under the amount blink together.
void showTopRungAndStatus(Form1& f, bool shown) {
    int top = rungIndex(f.QuestionNo);
    f.Label3[top].visible = shown;
    f.lblCIFRA[top].visible = shown;
    f.Label1[1].visible = shown;
}

// The label of the winning answer; none when no answer 1..4 is marked.
Control* winningAnswer(Form1& f) {
    int a = f.SelectedAnswer;
    return a >= 1 && a <= 4 ? &f.lblKviz[a] : nullptr;
}

void showAnswer(Form1& f) {
    if (Control* answer = winningAnswer(f)) answer->visible = true;
}

// The winning answer lit, the top prize in the amount display and the speed bonus still
// left added to the points.
void showWinningAnswer(Form1& f) {
    f.imgPotpis.visible = true;
    showAnswer(f);
    if (Control* answer = winningAnswer(f)) answer->back = kOrange;
    bankRungAndBonus(f);
    f.lblNajava[0].visible = true;
    f.lblNajava[0].caption = "TA^NO!!!";
    f.Label1[1].visible = true;
}

void returnToStart(Form1& f) {
    f.lblVer.visible = false;
    for (int i = 0; i <= 10; ++i) f.lblSampioni[i].visible = false;
    f.lblStart.caption = "Start";
    f.lblIzlaz.caption = "Izlaz";
    f.Text1.visible = true;
    f.Label8[0].visible = false;
    f.Label8[1].visible = false;
    f.WinStep = 0;
    f.Timer4.setEnabled(false);
    f.imgAutor.visible = false;
    f.imgPotpis.visible = false;
    f.ImgRekl.visible = false;
    f.imgMilion.visible = true;
    for (int i = 0; i <= 5; ++i) f.lblFirma[i].visible = true;
}

} // namespace

void Form1::Timer4_Timer() {
    if (WinCelebrating != True) return;
    // Steps 2 to 5 blink the top rung and the status line twice, "TA^NO!!!" once.
    switch (++WinStep) {
    case 1:
        showWinningAnswer(*this);
        break;
    case 2:
        showTopRungAndStatus(*this, false);
        lblNajava[0].visible = false;
        break;
    case 3:
        showAnswer(*this);
        showTopRungAndStatus(*this, true);
        lblNajava[0].visible = true;
        break;
    case 4:
        showTopRungAndStatus(*this, false);
        lblNajava[0].visible = false;
        lblNajava[0].caption = "PITAWE";
        break;
    case 5:
        showTopRungAndStatus(*this, true);
        HideAnswers();
        break;
    default:
        returnToStart(*this);
    }
}

void Form1::ShowSponsor() {
    static constexpr std::array<const char*, 6> kFields{"Firma",  "Mjesto", "Mail",
                                                        "Adresa", "TelFax", "Moto"};
    for (int k = 0; k <= 5; ++k) {
        lblFirma[k].caption = RsStat->field(kFields[static_cast<std::size_t>(k)]).text();
        lblFirma[k].transparent = true;
        lblFirma[k].fore = kBlack;
    }
    // Keeps the panel clear of the lower rows of the record-holder list.
    for (int i = 4; i <= 10; ++i) lblSampioni[i].visible = false;
}

} // namespace kvz
