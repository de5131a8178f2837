// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kvz {

// Remembers the database file that last passed the whole check: its name and a digest of its
// bytes. A file that still matches is the file that passed, and need not be read through
// again at the next start; any change to it, by any program, asks for the whole check.
// Hashing the file costs a small part of reading it through as the check does. The memo is a
// cache: one that cannot be read or written, or has no file (empty name), costs a check.
class CheckMemo {
  public:
    explicit CheckMemo(std::string memoFile) : memoFile_(std::move(memoFile)) {}

    // The name and the digest of `database` as it is now; empty when it cannot be read.
    static std::string stampOf(const std::string& database);

    bool holds(const std::string& stamp) const;
    void remember(const std::string& stamp) const;

  private:
    std::string memoFile_;
};

} // namespace kvz
