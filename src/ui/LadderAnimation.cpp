// SPDX-License-Identifier: GPL-3.0-or-later
// Timer1: the idle animation of the prize ladder and the joker pictures, and the
// speed-bonus count while a question is on screen.
#include "app/Form1.h"
#include "game/Ladder.h"

#include <array>

namespace kvz {

namespace {

constexpr int kLastStep = 28;

// How many joker pictures (50:50, phone, audience, in that order) show at steps 18..28.
constexpr std::array<int, 11> kJokersShown{0, 1, 0, 1, 2, 1, 2, 1, 3, 2, 3};

void lightRung(Form1& f, int i) {
    paintRung(f, i, kLit, kBlack);
}

void countBonus(Form1& f) {
    ++f.BonusTick;
    f.lblBod.caption = std::to_string(f.BonusTick);
    showBonusAtStake(f);
    if (f.BonusTick == 1) {
        f.lblTraka.back = kBlack;
        f.Timer1.setInterval(1000);
    } else if (f.BonusTick == 11) {
        f.BonusRunning = False;
        f.BonusTick = 0;
        f.Timer1.setEnabled(false);
        f.Timer1.setInterval(200);
    }
}

// One step of the idle cycle: a lit bar climbs the ladder from the bottom row (15) to the
// top (1), then the joker pictures flash.
void animateLadder(Form1& f) {
    int s = ++f.LadderBlinkStep;
    if (s == 1) {
        lightRung(f, 15);
        paintRungAtRest(f, 1);
    } else if (s <= 15) {
        lightRung(f, 16 - s);
        paintRungAtRest(f, 17 - s);
    } else if (s == 16) {
        lightRung(f, 1);
    } else if (s >= 18) {
        int shown = kJokersShown[static_cast<std::size_t>(s - 18)];
        f.Image2[0].visible = shown >= 1;
        f.Image2[2].visible = shown >= 2;
        f.Image2[4].visible = shown >= 3;
        if (s == kLastStep) f.LadderBlinkStep = 0;
    }
}

} // namespace

void Form1::Timer1_Timer() {
    if (BonusRunning == True)
        countBonus(*this);
    else if (LadderBlinkMode == False)
        Timer1.setInterval(2000);
    else
        animateLadder(*this);
}

} // namespace kvz
