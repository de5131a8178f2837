// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Timer.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace kvz {

class Form1;

// Fires timers in virtual time, so that a sequence of ticks replays exactly, without
// waiting. A timer whose countdown restarted (switched on, interval set) is due one
// interval after the moment the clock notices the restart; a timer that fired without
// restarting is due again one interval later. Of two ticks due at the same instant, the
// timer with the smaller Timer::order() (started earlier) fires first.
class VirtualClock {
  public:
    using Fire = std::function<void(Timer&)>;
    using Halted = std::function<bool()>;

    // The clock over `timers` (not owned; they must outlive the clock). `fire` runs one tick;
    // no tick fires while `halted` returns true.
    VirtualClock(std::vector<Timer*> timers, Fire fire, Halted halted = {});
    // The six timers of the window, fired through Form1::tick until the program has ended.
    explicit VirtualClock(Form1& form);

    // Virtual milliseconds since the clock was made.
    std::int64_t now() const { return now_; }

    // Takes note of timers switched on, off or restarted since the last call. Call it after
    // every event delivered from outside the clock.
    void sync();

    // Moves the clock on by `ms` (@pre ms >= 0), firing every tick due up to and including
    // the new time, in time order.
    void advance(std::int64_t ms);

    // One tick of `timer` now, outside its countdown (which goes on unchanged unless the
    // tick restarts it). Does nothing when the timer is off or the clock is halted; returns
    // whether it fired.
    bool fire(Timer& timer);

    // When `timer` fires next; nothing when it is not running.
    std::optional<std::int64_t> dueTime(const Timer& timer) const;

  private:
    struct Entry {
        Timer* timer;
        std::optional<std::uint64_t> seenRestarts;
        std::optional<std::int64_t> due;
    };

    bool halted() const { return halted_ && halted_(); }
    Entry* nextDue(std::int64_t until);

    std::vector<Entry> entries_;
    Fire fire_;
    Halted halted_;
    std::int64_t now_ = 0;
};

} // namespace kvz
