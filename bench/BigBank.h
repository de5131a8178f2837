// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace kvz::bench {

// The size of the large bank the benchmarks run on.
inline constexpr std::int64_t kBigBankPerLevel = 66'667; // 15 levels: about 1,000,000

// Makes `folder` a program folder whose Baza.mdb holds the bundled settings and results
// and `perLevel` generated questions at each of the 15 levels, stored level after level
// as an imported bank is. Texts are of the length of real questions and differ per row.
void writeBigBank(const std::string& folder, std::int64_t perLevel = kBigBankPerLevel);

// The program folder of the large bank under the build folder, written on first use
// (a minute or so) and reused afterwards.
std::string bigBankFolder();

// A player's copy upgraded to the large bank as its release: 20 questions of the player's own
// (made before releases were recorded) kept beside the million released ones. Written on
// first use beside the large bank.
std::string upgradedBigBankFolder();

} // namespace kvz::bench
