// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Form1.h"
#include "support/FakePlatform.h"
#include "support/TestSupport.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace kvz::test {

// Generator values for the one draw of KnowsAnswer: 1 (below every threshold) and 100.
inline constexpr double kKnows = 0.0, kDoesNotKnow = 0.995;

// The generator value that makes a draw 1..n come out as d.
inline double drawOf(int d, int n) {
    return (d - 1 + 0.5) / n;
}

// A window over a fresh database with a game started and its first question on screen.
class JokerGame : public ::testing::Test {
  protected:
    void SetUp() override;

    // Puts question `level` in place with `tac` as its right answer, at `position` among
    // the rows of its level, live: a game runs, four answers on screen, every joker
    // available, no panel, announcement or chart up, and the beeps counted from here.
    void ask(int level, Value tac, std::int64_t position = 1);

    // The state 50:50 leaves: only the answers named by their letters ("AV") on screen.
    void afterFiftyFifty(const std::string& kept);

    // The answers on screen by their letters, "ABVG" when all four are; fails when an
    // answer and its letter disagree.
    std::string answersOnScreen() const;

    // The vote the chart shows, read from its percentage labels.
    std::array<int, 4> chartShares() const;

    // A counter of the settings row as the window holds it.
    double counter(const char* name) const { return form->RsStat->field(name).number(); }

    // The same counter read back from the file through a connection of its own.
    double storedCounter(const char* name) const;

    TempDir dir;
    FakePlatform platform;
    Generator rnd;
    std::unique_ptr<Form1> form;
};

} // namespace kvz::test
