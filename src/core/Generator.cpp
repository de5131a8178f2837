// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Generator.h"

#include <cmath>
#include <cstring>

namespace kvz {

double Generator::next() {
    if (!queued_.empty()) {
        double r = queued_.front();
        queued_.pop_front();
        return r;
    }
    state_ = (state_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    return static_cast<double>(state_) / 16777216.0;
}

int Generator::draw(int n) {
    return static_cast<int>(std::floor(next() * n + 1));
}

void Generator::randomize(double clockValue) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &clockValue, sizeof bits);
    auto high = static_cast<std::uint32_t>(bits >> 32);
    std::uint32_t mixed = ((high & 0xFFFFu) ^ (high >> 16)) << 8;
    state_ = (state_ & 0xFF0000FFu) | (mixed & 0x00FFFF00u);
}

} // namespace kvz
