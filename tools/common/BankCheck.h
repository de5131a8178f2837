// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/Database.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kvz {

struct BankReport {
    std::array<std::int64_t, 16> questions{};  // per level 1..15, every row
    std::array<std::int64_t, 16> wellFormed{}; // per level 1..15, rows without problems
    std::vector<std::string> problems;         // one line each, naming the row
    std::int64_t settingsRows = 0;
    std::int64_t resultRows = 0;

    bool everyLevelPlayable() const;
    bool clean() const { return problems.empty() && everyLevelPlayable(); }
};

// Reads the whole bank and the two small tables, at one moment, and reports what would
// trouble a game.
BankReport checkBank(const Connection& conn);
std::string formatReport(const BankReport& report);

} // namespace kvz
