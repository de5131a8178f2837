// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kvz {

class DatabaseLock;

// The rollback journal SQLite keeps beside the database at `path` while it writes.
inline std::string journalOf(const std::string& path) {
    return path + "-journal";
}

// Looks at the files SQLite would read beside the database before anything opens it, so a
// file the game refuses is left exactly as it was:
// - a log of changes that another program, using the file in WAL mode, has not yet written
//   into it ("-wal");
// - a rollback journal that cannot belong to this file: every write journals page 1, so the
//   journal's image of page 1 must carry this file's salt and a write count this file can
//   have come from (the same, or one less once the write reached page 1);
// - a journal this file needs rolled back, in a folder that refuses the writes it takes.
// Throws BadDatabase naming the file. The journal is judged only under `lock`: while another
// program writes the file, a journal beside it is that program's own.
void checkFilesBeside(const std::string& path, const DatabaseLock* lock);

} // namespace kvz
