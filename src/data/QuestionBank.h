// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/Database.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kvz {

// One row of tbKviz as "SELECT *" returns it, with its 1-based position among the rows
// of its level (the audience chart reads it).
struct QuestionRow {
    std::int64_t position = 0;
    std::vector<Value> fields; // by position: 0 row number, 1 question, 2..5 answers A..G
    Value rb;
    Value tac;
    Value odred;

    // Field by position, Null when the row has no such position.
    Value at(std::size_t pos) const { return pos < fields.size() ? fields[pos] : Value(); }
};

inline constexpr int kLevels = 15;

// The number of questions of level n (1..15).
std::int64_t countLevel(const Connection& conn, int level);

// p = Int(count × r + 1): a position 1..count for a draw 0 ≤ r < 1. Computed in double
// precision and kept inside 1..count, so a large level never yields count + 1.
std::int64_t drawPosition(std::int64_t count, double r);

// The row at 1-based `position` among the rows of `level` in table order; nothing when
// the level has fewer rows. `count` is the level's number of rows as counted before (it
// lets a level stored without gaps be read in a few index lookups, whatever its size).
std::optional<QuestionRow> questionAt(const Connection& conn, int level, std::int64_t position,
                                      std::int64_t count);

} // namespace kvz

namespace kvz {

class Generator;

// Picks the question of a level as the game does: at question 1 the generator is first
// re-seeded from `clockValue`; then p = Int(count × Rnd + 1) selects the p-th row of the
// level. Nothing when the level holds no row there.
std::optional<QuestionRow> pickQuestion(const Connection& conn, int questionNo, std::int64_t count,
                                        Generator& generator, double clockValue);

} // namespace kvz
