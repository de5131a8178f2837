// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/Database.h"
#include "data/Writer.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvz {

// The settings and counter row of tbStat, open for the whole run (the game's `RsStat`).
// Fields are read from the row as loaded and changed in memory; update() hands the
// changed fields to `writes` at once.
class Settings {
  public:
    // Reads the first row of "SELECT * FROM tbStat"; throws DbError when there is none.
    Settings(const Connection& conn, Writer& writes);

    Value field(std::string_view name) const;
    void set(std::string_view name, Value v);
    void update();

    // field = field + 1, written at once.
    void bump(std::string_view name);

  private:
    std::size_t indexOf(std::string_view name) const;

    Writer& writes_;
    std::int64_t rowid_ = 0;
    std::vector<std::string> names_;
    std::vector<Value> values_;
    std::vector<bool> dirty_;
};

} // namespace kvz
