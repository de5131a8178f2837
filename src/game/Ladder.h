// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Control.h"

namespace kvz {

class Form1;

// The row of the prize ladder that belongs to question n (1..15): row 1 is the top prize.
constexpr int rungIndex(int questionNo) {
    return 16 - questionNo;
}

// Rows 1, 6 and 11 (questions 15, 10 and 5) are the checkpoints, drawn white on navy.
constexpr bool isCheckpointRung(int i) {
    return i == 1 || i == 6 || i == 11;
}

// Paints both labels of ladder row i.
void paintRung(Form1& form, int i, Colour back, Colour fore);

// Paints ladder row i in its resting colours: a checkpoint or an ordinary row.
void paintRungAtRest(Form1& form, int i);

// A right answer banks its rung: the rung's amount into Label3(0), the speed bonus at stake
// added to the points total (which then stands against the status line), the bonus
// labels hidden.
void bankRungAndBonus(Form1& form);

// lblTraka shows the speed bonus still to be had, from the tick in lblBod:
// (11 - tick) x question x 10.
void showBonusAtStake(Form1& form);

} // namespace kvz
