// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <deque>

namespace kvz {

// The program's one pseudo-random generator (Rnd). A 24-bit linear congruential sequence,
// re-seeded from the clock when a game's first question is loaded. Values queued by tests
// or the driver come out first, whatever seeding happens meanwhile.
class Generator {
  public:
    // The next value r, 0 <= r < 1.
    double next();

    // A draw 1..n: Int(Rnd * n + 1).
    int draw(int n);

    // Re-seeds the sequence from a clock reading (any number; only its bits matter).
    void randomize(double clockValue);

    void queue(double r) { queued_.push_back(r); }

  private:
    std::uint32_t state_ = 0x50000;
    std::deque<double> queued_;
};

} // namespace kvz
