// SPDX-License-Identifier: GPL-3.0-or-later
// The question-bank import: any file in any of the three formats is read without a fault,
// and every question it accepts is one the game accepts at start-up.
#include "FuzzCheck.h"
#include "common/BankImport.h"
#include "data/DatabaseCheck.h"

#include <cstdint>
#include <optional>
#include <string>

namespace {

bool playable(const kvz::BankQuestion& q) {
    if (kvz::textFault(q.pitanje, true)) return false;
    for (const auto& answer : q.answers)
        if (kvz::textFault(answer, true)) return false;
    if (q.odred && kvz::textFault(*q.odred, false)) return false;
    return q.rb >= 1 && q.rb <= 15 && q.tac >= 1 && q.tac <= 4;
}

} // namespace

// The first byte chooses the format and the level given on the command line.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    auto format = static_cast<kvz::BankFormat>(data[0] % 3);
    int level = (data[0] / 3) % 17; // 0: none given, 16: out of range
    std::optional<int> given = level == 0 ? std::nullopt : std::optional<int>(level);
    std::string content(reinterpret_cast<const char*>(data + 1), size - 1);

    auto bank = kvz::parseBank(content, format, given);
    for (const auto& q : bank.questions) FUZZ_CHECK(playable(q));
    return 0;
}
