// SPDX-License-Identifier: GPL-3.0-or-later
// Playing by keyboard: each key released is turned into the call a click would make,
// by one table of tests taken in order; the first that applies ends the handler.
#include "app/Form1.h"

namespace kvz {

namespace {

// Virtual key codes: letters by their capital, digits of the main keyboard only.
constexpr int kKeyA = 'A', kKeyB = 'B', kKeyD = 'D', kKeyF = 'F', kKeyG = 'G', kKeyH = 'H',
              kKeyN = 'N', kKeyO = 'O', kKeyP = 'P', kKeyT = 'T', kKeyV = 'V';
// The "Hvala (H)" picture of the friend's panel.
constexpr int kHangUpPicture = 7;

// The joker keys and the pictures they click: 50:50, the telephone, the audience.
struct JokerKey {
    int keyCode;
    int picture;
};
constexpr JokerKey kJokerKeys[] = {{kKeyF, 0}, {kKeyT, 2}, {kKeyP, 4}};

// The answer a key names: A B V G or 1 2 3 4; 0 for none.
Byte answerOfKey(int keyCode) {
    switch (keyCode) {
    case kKeyA:
    case '1':
        return 1;
    case kKeyB:
    case '2':
        return 2;
    case kKeyV:
    case '3':
        return 3;
    case kKeyG:
    case '4':
        return 4;
    default:
        return 0;
    }
}

} // namespace

void Form1::Form_KeyUp(int keyCode, int /*shift*/) {
    if (keyCode == keys::Esc) {
        endProgram();
        return;
    }
    // With the help shown every key but F1 is ignored.
    if (picHelp.visible || keyCode == keys::F1) {
        if (keyCode == keys::F1) imgHelp_Click();
        return;
    }
    // The jokers judge for themselves whether they may be used now, even with DA/NE asked.
    for (const JokerKey& joker : kJokerKeys) {
        if (keyCode == joker.keyCode && Image2[joker.picture].visible) {
            Image2_Click(joker.picture);
            return;
        }
    }
    if (Frame1.visible) {
        if (keyCode == kKeyD || keyCode == kKeyN || keyCode == keys::Enter) {
            platform_.beep();
            lblDANE_Click(keyCode == kKeyN ? 1 : 0);
        }
        return;
    }
    if (Frame2.visible) {
        if (keyCode == kKeyH) Image2_Click(kHangUpPicture);
        return;
    }
    // A sequence is running: the announcement, a right or a wrong answer.
    if (timNajava.enabled() || lblNajava[0].caption == "TA^NO!!!" || AnswerLocked == True) return;
    if (AnswersEnabled == True) {
        if (Byte answer = answerOfKey(keyCode); answer != 0) {
            platform_.beep();
            SelectedAnswer = answer;
            MarkSelectedAnswer();
        } else if (keyCode == kKeyO) {
            lblIzlaz_Click();
        }
        return;
    }
    if (keyCode == kKeyH && lblHvala[0].visible) lblHvala_Click(0);
}

} // namespace kvz
