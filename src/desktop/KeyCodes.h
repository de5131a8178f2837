// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <vector>

class QKeyEvent;

namespace kvz::desktop {

// The Windows virtual key code of a key, as the game's key handlers read it: letters by
// their capital whatever the Shift state, main-keyboard digits 48..57, keypad digits
// 96..105. Nothing for keys the game has no code for.
std::optional<int> virtualKeyCode(const QKeyEvent& event);

// The Shift argument of a key event: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(const QKeyEvent& event);

// The character codes a key press types, as the name box's key handler receives them:
// Enter 13, Backspace 8, Esc 27, control characters for Ctrl+letter; Serbian letters of
// either alphabet in display code (typedText). Tab types nothing: it moves the focus.
std::vector<int> typedCodes(const QKeyEvent& event);

// The codes of a typed or pasted text: each Serbian letter, Cyrillic or Latin, as its
// display code (Ђ and Đ alike), ASCII as it is, anything else with its own code, above
// 126, which no name accepts.
std::vector<int> typedText(const QString& text);

} // namespace kvz::desktop
