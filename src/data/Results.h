#pragma once

#include "data/Database.h"

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

// The results in list order: RB descending, then Skor descending (ties in table order).
// The last row is the weakest.
std::vector<ResultRow> orderedResults(const Connection& conn);

// Overwrites one row in place; rows are never added or deleted.
void overwriteResult(const Connection& conn, std::int64_t rowid, const std::string& ime,
                     std::int64_t rb, double skor, const std::string& datum);

} // namespace kvz
