// SPDX-License-Identifier: GPL-3.0-or-later
// The name box: what it takes, how it normalises the name, and its keys.
#include "app/Form1.h"
#include "text/Names.h"

namespace kvz {

void Form1::Text1_GotFocus() {
    keyPreview = false;
}

void Form1::Text1_KeyPress(int& keyAscii) {
    if (!FilterNameKey(keyAscii)) platform_.beep();
    if (keyAscii == keys::Enter) ProperCaseName(Text1.caption);
}

void Form1::Text1_KeyUp(int keyCode, int /*shift*/) {
    if (keyCode == keys::F1)
        imgHelp_Click();
    else if (keyCode == keys::Enter)
        lblStart_Click();
    else if (keyCode == keys::Esc)
        imgOUT_Click();
}

void Form1::Text1_LostFocus() {
    ProperCaseName(Text1.caption);
}

} // namespace kvz
