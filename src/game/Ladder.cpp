// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Ladder.h"

#include "app/Form1.h"
#include "data/Value.h"

namespace kvz {

void paintRung(Form1& form, int i, Colour back, Colour fore) {
    form.Label3[i].back = form.lblCIFRA[i].back = back;
    form.Label3[i].fore = form.lblCIFRA[i].fore = fore;
}

void paintRungAtRest(Form1& form, int i) {
    if (isCheckpointRung(i))
        paintRung(form, i, kWhite, kNavy);
    else
        paintRung(form, i, kNavy, kWhite);
}

void showBonusAtStake(Form1& form) {
    double tick = leadingNumber(form.lblBod.caption);
    form.lblTraka.caption = plainNumberText((11 - tick) * form.QuestionNo * 10);
}

void bankRungAndBonus(Form1& f) {
    f.Label3[0].caption = f.lblCIFRA[rungIndex(f.QuestionNo)].caption;
    f.lblOsv.caption =
        plainNumberText(leadingNumber(f.lblOsv.caption) + leadingNumber(f.lblTraka.caption));
    f.lblOsv.left = f.Label1[1].left - f.lblOsv.width;
    f.lblTraka.visible = false;
    f.lblBod.visible = false;
}

} // namespace kvz
