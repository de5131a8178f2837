// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Services.h"

#include <string>

namespace kvz {

class Form1;

// What the game tells a player who listens rather than looks. Texts are display code, as the
// screen shows them; blank ones are not said, and the blanks that place a caption on screen
// are not read.
void say(Form1& form, const std::string& text, SayPriority priority = SayPriority::Polite);

// "A: Beograd": the letter and answer k (1..4) as they show on screen.
std::string answerLine(const Form1& form, int k);

// The question, then each answer on screen in reading order.
void sayQuestion(Form1& form);

} // namespace kvz
