// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/Database.h"

#include <memory>
#include <string>

namespace kvz {

// Another program holds the database. `byGame` when that program is a game window.
class DatabaseInUse : public DbError {
  public:
    DatabaseInUse(const std::string& path, bool byGame)
        : DbError(path + " is in use by " +
                  (byGame ? "a game window" : "another program that writes it") +
                  "; close it first"),
          byGame_(byGame) {}
    bool byGame() const { return byGame_; }

  private:
    bool byGame_;
};

// The right to write one database file, held by one program at a time: a lock on the file
// itself, so that it holds across sessions and on a shared folder, owned by the open file
// and not the process, so that the system lets it go when the program ends however it ends
// and no other descriptor of the file closing in this program drops it. Readers take none.
//
// A game window marks the file as well (`Window`), so that a second window on the same
// database can tell the copy already running from any other program.
class DatabaseLock {
  public:
    enum class Kind { Writer, Window };

    // Takes the lock of `path`; throws DatabaseInUse when another program holds it, and
    // DbError when the file cannot be opened for writing.
    explicit DatabaseLock(const std::string& path, Kind kind = Kind::Writer);
    ~DatabaseLock();
    DatabaseLock(const DatabaseLock&) = delete;
    DatabaseLock& operator=(const DatabaseLock&) = delete;

    const std::string& path() const { return path_; }
    // The file as the lock holds it open: read through this, never through a descriptor
    // opened and closed beside SQLite's, whose closing would drop SQLite's own locks.
    int fd() const { return fd_; }

  private:
    std::string path_;
    int fd_ = -1;
};

// The writer lock of `path` when it is free and the file may be written, else nothing: for
// readers that look at the file before opening it, which is safe only while nobody writes.
std::unique_ptr<DatabaseLock> lockIfFree(const std::string& path);

} // namespace kvz
