// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/Database.h"
#include "data/Writer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kvz {

// One row of tbRezultati with the key that lets it be overwritten.
struct ResultRow {
    std::int64_t rowid = 0;
    Value ime;
    Value rb;
    Value skor;
    Value datum;
};

// The list of results (tbRezultati), read once and then kept in memory: the running game is
// its only writer, so showing and comparing it never waits for the file.
class Results {
  public:
    Results(const Connection& conn, Writer& writes);

    // The rows in list order: RB descending, then Skor descending, ties in table order,
    // each field ordered as the database orders it. The last row is the weakest.
    const std::vector<ResultRow>& ordered() const { return rows_; }

    // Overwrites one row in place, here and through `writes`; rows are never added or
    // deleted.
    void overwrite(std::int64_t rowid, const std::string& ime, std::int64_t rb, double skor,
                   const std::string& datum);

  private:
    Writer& writes_;
    std::vector<ResultRow> rows_;
};

} // namespace kvz
