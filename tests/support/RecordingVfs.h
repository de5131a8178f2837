// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

struct sqlite3_vfs;

namespace kvz::test {

// One change SQLite made to a file, in the order it was made.
struct FileOp {
    enum class Kind { Write, Truncate, Sync, Delete };
    Kind kind;
    std::string file;        // the file's name inside the folder
    std::int64_t offset = 0; // write: where; truncate: the new size
    std::string data;        // write: the bytes
};

// `content` with the bytes [from, to) of a write, or a truncation, applied.
void applyTo(std::string& content, const FileOp& op, std::size_t from, std::size_t to);

// A VFS over the system's own that passes everything through and records every write,
// truncation, sync and deletion of the files in one folder: the raw material of a power-cut
// simulation. While it lives it is SQLite's default VFS, for every connection the process
// opens.
class RecordingVfs {
  public:
    explicit RecordingVfs(std::string folder);
    ~RecordingVfs();
    RecordingVfs(const RecordingVfs&) = delete;
    RecordingVfs& operator=(const RecordingVfs&) = delete;

    std::vector<FileOp> ops() const;

    // Waits until the connections on this VFS have slept `us` microseconds in all while
    // waiting for a lock; false when stopWaiting() came first.
    bool awaitSleep(std::int64_t us);
    void stopWaiting();

    // For the shim's functions.
    void record(FileOp op);
    void slept(std::int64_t us);
    // The name of `path` inside the folder, or empty when it lies elsewhere.
    std::string inFolder(const char* path) const;
    sqlite3_vfs* real() const { return real_; }

  private:
    std::string folder_;
    sqlite3_vfs* real_;
    sqlite3_vfs* shim_;
    mutable std::mutex mutex_;
    std::vector<FileOp> ops_;
    std::condition_variable sleeping_;
    std::int64_t slept_ = 0;
    bool stopped_ = false;
};

} // namespace kvz::test
