// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Services.h"

#include <QString>

namespace kvz {
struct Control;
}

namespace kvz::desktop {

class FormWidget;

// Gives the game's window an accessible tree: every shown control of the window model is a
// child of the window, with a role, the name the player reads, a state and its bounds on
// screen, and the clickable ones can be pressed. Cheap to call; the tree is built only when
// assistive technology asks for it.
void installAccessibility();

// Tells assistive technology what the game has just said, and moves its focus where the
// game's is: the marked answer, else the question on screen. Both do nothing while no
// assistive technology listens.
void announce(FormWidget& window, const QString& text, SayPriority priority);
void followGameFocus(FormWidget& window);

// The control assistive technology should read as focused: the marked answer while DA/NE is
// asked, otherwise the question when it is on screen; none otherwise.
const Control* gameFocus(FormWidget& window);

} // namespace kvz::desktop
