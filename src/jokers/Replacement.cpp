// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing the question by another of the same level, once per game at questions 10 to 14.
#include "app/Form1.h"
#include "app/Spoken.h"

namespace kvz {

void Form1::lblZamjena_Click() {
    if (lblHvala[0].visible) {
        // The audience chart is fully shown: it closes with its statistics first.
        lblHvala_Click(0);
        fraStat.visible = false;
    } else if (AnswersEnabled == False) {
        return; // the chart is still building up
    }
    lblZamjena.visible = false;
    ReplacementUsed = True;
    // Answers taken away by 50:50 come back for the new question.
    for (int k = 1; k <= 4; ++k) {
        if (!lblKviz[k].visible) {
            lblKviz[k].visible = true;
            Label5[k - 1].visible = true;
        }
    }
    LoadQuestion();
    if (RsQuestion) sayQuestion(*this);
}

} // namespace kvz
