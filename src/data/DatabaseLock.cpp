// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/DatabaseLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kvz {

namespace {

// The lock bytes lie in the page SQLite keeps free of data for its own locks (from 1 GiB
// on), past the 512 bytes it locks there: no SQLite lock and no data ever meets them.
constexpr off_t kSqliteLockPage = 0x40000000;
constexpr off_t kWriterByte = kSqliteLockPage + 1024;
constexpr off_t kWindowByte = kWriterByte + 1;

struct flock byteLock(short type, off_t at) {
    struct flock f {};
    f.l_type = type;
    f.l_whence = SEEK_SET;
    f.l_start = at;
    f.l_len = 1;
    return f;
}

// False when another open file holds the byte.
bool take(int fd, off_t at) {
    struct flock f = byteLock(F_WRLCK, at);
    return fcntl(fd, F_OFD_SETLK, &f) == 0;
}

bool heldElsewhere(int fd, off_t at) {
    struct flock f = byteLock(F_WRLCK, at);
    return fcntl(fd, F_OFD_GETLK, &f) == 0 && f.l_type != F_UNLCK;
}

} // namespace

DatabaseLock::DatabaseLock(const std::string& path, Kind kind) : path_(path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd_ < 0) {
        const int err = errno;
        throw DbError("cannot open " + path + " for writing: " + std::strerror(err),
                      err == ENOENT ? DbError::Cause::Other : DbError::Cause::NotWritable);
    }
    const bool window = kind == Kind::Window;
    if (!take(fd_, window ? kWindowByte : kWriterByte)) {
        const bool byGame = window || heldElsewhere(fd_, kWindowByte);
        ::close(fd_);
        throw DatabaseInUse(path, byGame);
    }
}

DatabaseLock::~DatabaseLock() {
    ::close(fd_);
}

std::unique_ptr<DatabaseLock> lockIfFree(const std::string& path) {
    try {
        return std::make_unique<DatabaseLock>(path);
    } catch (const DbError&) { // held, or not to be written by this program at all
        return nullptr;
    }
}

} // namespace kvz
