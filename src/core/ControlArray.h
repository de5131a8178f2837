// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Control.h"

#include <cassert>
#include <deque>

namespace kvz {

// A control array with the game's own indices lo..hi. Elements never move, so pointers
// to them (as parents, focus, the window's list of controls) stay valid.
class ControlArray {
  public:
    ControlArray(int lo, int hi) : lo_(lo), items_(static_cast<std::size_t>(hi - lo + 1)) {}

    Control& operator[](int i) {
        assert(i >= lo_ && i <= hi());
        return items_[static_cast<std::size_t>(i - lo_)];
    }
    const Control& operator[](int i) const {
        assert(i >= lo_ && i <= hi());
        return items_[static_cast<std::size_t>(i - lo_)];
    }
    bool has(int i) const { return i >= lo_ && i <= hi(); }
    int lo() const { return lo_; }
    int hi() const { return lo_ + static_cast<int>(items_.size()) - 1; }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }

  private:
    int lo_;
    std::deque<Control> items_;
};

} // namespace kvz
