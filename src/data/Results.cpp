// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Results.h"

#include <algorithm>
#include <compare>

namespace kvz {

namespace {

// The database's order of values: Null, then numbers by value, then texts byte by byte.
std::weak_ordering compareAsStored(const Value& a, const Value& b) {
    auto rank = [](const Value& v) { return v.isNull() ? 0 : v.isText() ? 2 : 1; };
    if (auto c = rank(a) <=> rank(b); c != 0) return c;
    if (a.isNull()) return std::weak_ordering::equivalent;
    if (a.isText()) return a.text().compare(b.text()) <=> 0;
    const double x = a.number(), y = b.number();
    return x < y   ? std::weak_ordering::less
           : y < x ? std::weak_ordering::greater
                   : std::weak_ordering::equivalent;
}

bool listOrder(const ResultRow& a, const ResultRow& b) {
    if (auto c = compareAsStored(a.rb, b.rb); c != 0) return c > 0;
    if (auto c = compareAsStored(a.skor, b.skor); c != 0) return c > 0;
    return a.rowid < b.rowid;
}

} // namespace

Results::Results(const Connection& conn, Writer& writes) : writes_(writes) {
    auto st = conn.prepare("SELECT rowid, Ime, RB, Skor, Datum FROM tbRezultati");
    while (st.step())
        rows_.push_back(ResultRow{static_cast<std::int64_t>(st.column(0).number()), st.column(1),
                                  st.column(2), st.column(3), st.column(4)});
    std::sort(rows_.begin(), rows_.end(), listOrder);
}

void Results::overwrite(std::int64_t rowid, const std::string& ime, std::int64_t rb, double skor,
                        const std::string& datum) {
    auto row = std::find_if(rows_.begin(), rows_.end(),
                            [rowid](const ResultRow& r) { return r.rowid == rowid; });
    if (row == rows_.end()) throw DbError("tbRezultati has no row " + std::to_string(rowid));
    writes_.write("UPDATE tbRezultati SET Ime = ?, RB = ?, Skor = ?, Datum = ? WHERE rowid = ?",
                  {ime, rb, skor, datum, rowid});
    *row = ResultRow{rowid, ime, rb, skor, datum};
    std::sort(rows_.begin(), rows_.end(), listOrder);
}

} // namespace kvz
