#include "data/QuestionBank.h"

#include <algorithm>
#include <cmath>

namespace kvz {

std::int64_t countLevel(const Connection& conn, int level) {
    auto st = conn.prepare("SELECT COUNT(RB) as BrPit  FROM tbKviz WHERE rb = ?");
    st.bind(1, level);
    if (!st.step()) return 0;
    return static_cast<std::int64_t>(st.column(0).number());
}

std::int64_t drawPosition(std::int64_t count, double r) {
    auto p = static_cast<std::int64_t>(std::floor(static_cast<double>(count) * r + 1));
    return std::clamp<std::int64_t>(p, 1, std::max<std::int64_t>(count, 1));
}

std::optional<QuestionRow> questionAt(const Connection& conn, int level, std::int64_t position) {
    if (position < 1) return std::nullopt;
    // Row order of "SELECT *" is table order; the index on RB keeps it, so the row is
    // found without reading the rows before it from the table.
    auto st = conn.prepare("SELECT * FROM tbKviz WHERE rb = ? ORDER BY rowid LIMIT 1 OFFSET ?");
    st.bind(1, level).bind(2, position - 1);
    if (!st.step()) return std::nullopt;
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

} // namespace kvz

#include "core/Generator.h"

namespace kvz {

std::optional<QuestionRow> pickQuestion(const Connection& conn, int questionNo, std::int64_t count,
                                        Generator& generator, double clockValue) {
    if (questionNo == 1) generator.randomize(clockValue);
    std::int64_t p = drawPosition(count, generator.next());
    return questionAt(conn, questionNo, p);
}

} // namespace kvz
