// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Settings.h"

#include <cmath>

namespace kvz {

Settings::Settings(const Connection& conn, Writer& writes) : writes_(writes) {
    auto st = conn.prepare("SELECT rowid, * FROM tbStat");
    if (!st.step()) throw DbError("tbStat holds no settings row");
    rowid_ = st.column(0).isInteger() ? std::get<std::int64_t>(st.column(0).storage()) : 0;
    for (int i = 1; i < st.columnCount(); ++i) {
        names_.push_back(st.columnName(i));
        values_.push_back(st.column(i));
    }
    dirty_.assign(values_.size(), false);
}

std::size_t Settings::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name) return i;
    throw DbError("tbStat has no field " + std::string(name));
}

Value Settings::field(std::string_view name) const {
    return values_[indexOf(name)];
}

void Settings::set(std::string_view name, Value v) {
    std::size_t i = indexOf(name);
    values_[i] = std::move(v);
    dirty_[i] = true;
}

void Settings::update() {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (!dirty_[i]) continue;
        writes_.write("UPDATE tbStat SET " + quotedName(names_[i]) + " = ? WHERE rowid = ?",
                      {values_[i], Value(rowid_)});
        dirty_[i] = false;
    }
}

void Settings::bump(std::string_view name) {
    double now = field(name).number();
    set(name, Value(static_cast<std::int64_t>(std::floor(now)) + 1));
    update();
}

} // namespace kvz
