#include "data/Results.h"

namespace kvz {

std::vector<ResultRow> orderedResults(const Connection& conn) {
    auto st = conn.prepare(
        " SELECT rowid, Ime, RB, Skor, Datum FROM tbRezultati ORDER BY RB DESC, Skor DESC, rowid");
    std::vector<ResultRow> rows;
    while (st.step()) {
        ResultRow r;
        r.rowid = static_cast<std::int64_t>(st.column(0).number());
        r.ime = st.column(1);
        r.rb = st.column(2);
        r.skor = st.column(3);
        r.datum = st.column(4);
        rows.push_back(std::move(r));
    }
    return rows;
}

void overwriteResult(const Connection& conn, std::int64_t rowid, const std::string& ime,
                     std::int64_t rb, double skor, const std::string& datum) {
    auto st =
        conn.prepare("UPDATE tbRezultati SET Ime = ?, RB = ?, Skor = ?, Datum = ? WHERE rowid = ?");
    st.bind(1, ime).bind(2, rb).bind(3, skor).bind(4, datum).bind(5, rowid).run();
}

} // namespace kvz
