// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Timer.h"

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace kvz::desktop {

// Real timers for the model's timers. After every handler `sync` brings them up to date:
// a model timer whose countdown restarted starts its real timer afresh, one that is off
// or has interval 0 stops it.
class TimerSync {
  public:
    using Tick = std::function<void(Timer&)>;

    // `onTick` runs when a real timer fires, with its model timer.
    TimerSync(const std::vector<Timer*>& timers, Tick onTick, QObject* owner);

    void sync();

    // The real timer of a model timer (for tests).
    const QTimer& realTimer(const Timer& model) const;

  private:
    struct Pair {
        Timer* model;
        QTimer* real;
        std::uint64_t restarts;
    };
    std::vector<Pair> pairs_;
};

} // namespace kvz::desktop
