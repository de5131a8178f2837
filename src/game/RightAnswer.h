// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kvz {

class Form1;

// The right answer 1..4 of the question on screen; 0 when none is loaded or its Tac is not
// a whole number 1..4, so that no answer is ever judged right then.
int rightAnswer(const Form1& form);

} // namespace kvz
