// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/Database.h"

#include <memory>
#include <string>
#include <vector>

namespace kvz {

// Where the game's writes go. Each write is one statement with its values, committed as a
// transaction of its own, in the order the writes were made. A failed write is thrown once,
// from write(), settle() or check(), whichever comes first; the writes after it are dropped.
class Writer {
  public:
    virtual ~Writer() = default;

    virtual void write(const std::string& sql, std::vector<Value> values) = 0;
    // Returns once every write made so far is committed; throws the DbError of one that failed.
    virtual void settle() = 0;
    // Throws the DbError of a write that failed, without waiting.
    virtual void check() = 0;
};

// Commits each write on `conn` before write() returns; a failure is thrown from write().
std::unique_ptr<Writer> directWriter(const Connection& conn);

// Commits the writes on a thread of its own, through a connection of its own to the file at
// `path`, opened at the first write (a file it cannot open fails that write). The writes
// still waiting are committed before the writer goes.
std::unique_ptr<Writer> backgroundWriter(const std::string& path);

} // namespace kvz
