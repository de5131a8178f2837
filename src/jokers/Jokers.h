// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kvz {

class Form1;

// The right answer of the question on screen for a joker. Throws std::runtime_error when
// there is none, so that a joker stops before it changes anything instead of reaching for
// an answer that does not exist.
int rightAnswerOrStop(const Form1& form);

// The answer the friend or the audience favours for the right answer c: c itself, or the
// first other answer when KnowsAnswer says no, unless 50:50 has taken that one away.
// Draws once from the generator.
int favouredAnswer(Form1& form, int c);

} // namespace kvz
