// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace kvz {

// A timer of the window. It only holds its state; a host fires it. Its countdown restarts
// whenever it is switched on or its interval is set: `restarts` counts those moments, and
// `order` records when the last one happened among all timers of the window, so that of
// two timers due at once the one started earlier fires first.
class Timer {
  public:
    Timer(std::string name, int interval, bool enabled, std::uint64_t& clock)
        : name_(std::move(name)), interval_(interval), enabled_(enabled), sequence_(&clock) {
        if (enabled_) restart();
    }

    const std::string& name() const { return name_; }
    bool enabled() const { return enabled_; }
    int interval() const { return interval_; }

    void setEnabled(bool on) {
        if (on && !enabled_) {
            enabled_ = true;
            restart();
        } else if (!on) {
            enabled_ = false;
        }
    }
    void setInterval(int ms) {
        interval_ = ms;
        restart();
    }

    std::uint64_t restarts() const { return restarts_; }
    std::uint64_t order() const { return order_; }

    // Fires only while on with a positive interval.
    bool running() const { return enabled_ && interval_ > 0; }

  private:
    void restart() {
        ++restarts_;
        order_ = ++*sequence_;
    }

    std::string name_;
    int interval_;
    bool enabled_;
    std::uint64_t* sequence_;
    std::uint64_t restarts_ = 0;
    std::uint64_t order_ = 0;
};

} // namespace kvz
