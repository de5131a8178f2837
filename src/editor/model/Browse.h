// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/model/QuestionStore.h"

#include <array>
#include <string>
#include <vector>

namespace kvz::editor {

// How one level's questions share the right answer out among A, B, V, G.
struct LevelBalance {
    int questions = 0;
    std::array<int, 4> right{}; // questions whose right answer is A, B, V, G

    // A level the player should look at: fewer than two questions (the replacement joker
    // brings the same one back), or one letter right in more than 35 % of them (a player
    // who always picks it does well).
    bool lopsided() const;
};

// The balance of every level 1..15 (index 0 unused).
std::array<LevelBalance, 16> levelBalance(const std::vector<Question>& questions);

// A search typed in Latin or Cyrillic letters, any case; it finds a question whose text, an
// answer or the note holds it, whichever letters either was written in.
class Search {
  public:
    explicit Search(const std::string& typed);
    bool matches(const Question& q) const;

  private:
    std::u32string key_;
};

} // namespace kvz::editor
