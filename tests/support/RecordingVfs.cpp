// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/RecordingVfs.h"

#include <cstring>
#include <memory>
#include <sqlcipher/sqlite3.h>

namespace kvz::test {

namespace {

// A file of the shim: the real file lies right behind it in the same allocation.
struct ShimFile {
    sqlite3_file base;
    RecordingVfs* owner;
    std::string* name; // inside the folder; null for files that are not recorded
    sqlite3_file* real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

ShimFile* shim(sqlite3_file* f) {
    return reinterpret_cast<ShimFile*>(f);
}

void note(sqlite3_file* f, FileOp::Kind kind, std::int64_t offset = 0, std::string data = {}) {
    ShimFile* s = shim(f);
    if (s->name != nullptr) s->owner->record({kind, *s->name, offset, std::move(data)});
}

int xClose(sqlite3_file* f) {
    int rc = shim(f)->real()->pMethods->xClose(shim(f)->real());
    delete shim(f)->name;
    return rc;
}

int xRead(sqlite3_file* f, void* buf, int n, sqlite3_int64 at) {
    return shim(f)->real()->pMethods->xRead(shim(f)->real(), buf, n, at);
}

int xWrite(sqlite3_file* f, const void* buf, int n, sqlite3_int64 at) {
    int rc = shim(f)->real()->pMethods->xWrite(shim(f)->real(), buf, n, at);
    if (rc == SQLITE_OK)
        note(f, FileOp::Kind::Write, at,
             std::string(static_cast<const char*>(buf), static_cast<std::size_t>(n)));
    return rc;
}

int xTruncate(sqlite3_file* f, sqlite3_int64 size) {
    int rc = shim(f)->real()->pMethods->xTruncate(shim(f)->real(), size);
    if (rc == SQLITE_OK) note(f, FileOp::Kind::Truncate, size);
    return rc;
}

int xSync(sqlite3_file* f, int flags) {
    int rc = shim(f)->real()->pMethods->xSync(shim(f)->real(), flags);
    if (rc == SQLITE_OK) note(f, FileOp::Kind::Sync);
    return rc;
}

int xFileSize(sqlite3_file* f, sqlite3_int64* size) {
    return shim(f)->real()->pMethods->xFileSize(shim(f)->real(), size);
}

int xLock(sqlite3_file* f, int level) {
    return shim(f)->real()->pMethods->xLock(shim(f)->real(), level);
}

int xUnlock(sqlite3_file* f, int level) {
    return shim(f)->real()->pMethods->xUnlock(shim(f)->real(), level);
}

int xCheckReservedLock(sqlite3_file* f, int* out) {
    return shim(f)->real()->pMethods->xCheckReservedLock(shim(f)->real(), out);
}

int xFileControl(sqlite3_file* f, int op, void* arg) {
    return shim(f)->real()->pMethods->xFileControl(shim(f)->real(), op, arg);
}

int xSectorSize(sqlite3_file* f) {
    return shim(f)->real()->pMethods->xSectorSize(shim(f)->real());
}

int xDeviceCharacteristics(sqlite3_file* f) {
    return shim(f)->real()->pMethods->xDeviceCharacteristics(shim(f)->real());
}

// Version 1: no shared memory (the files are never in WAL mode) and no memory mapping.
const sqlite3_io_methods kMethods = {1,
                                     xClose,
                                     xRead,
                                     xWrite,
                                     xTruncate,
                                     xSync,
                                     xFileSize,
                                     xLock,
                                     xUnlock,
                                     xCheckReservedLock,
                                     xFileControl,
                                     xSectorSize,
                                     xDeviceCharacteristics,
                                     nullptr,
                                     nullptr,
                                     nullptr,
                                     nullptr,
                                     nullptr,
                                     nullptr};

RecordingVfs* owner(sqlite3_vfs* vfs) {
    return static_cast<RecordingVfs*>(vfs->pAppData);
}

int vfsOpen(sqlite3_vfs* vfs, const char* name, sqlite3_file* f, int flags, int* outFlags) {
    ShimFile* s = shim(f);
    s->base.pMethods = nullptr;
    int rc = owner(vfs)->real()->xOpen(owner(vfs)->real(), name, s->real(), flags, outFlags);
    if (rc != SQLITE_OK) return rc;
    s->owner = owner(vfs);
    std::string inside = name != nullptr ? s->owner->inFolder(name) : std::string();
    s->name = inside.empty() ? nullptr : new std::string(std::move(inside));
    s->base.pMethods = &kMethods;
    return rc;
}

int vfsDelete(sqlite3_vfs* vfs, const char* name, int syncDir) {
    int rc = owner(vfs)->real()->xDelete(owner(vfs)->real(), name, syncDir);
    std::string inside = owner(vfs)->inFolder(name);
    if (rc == SQLITE_OK && !inside.empty())
        owner(vfs)->record({FileOp::Kind::Delete, inside, 0, {}});
    return rc;
}

int vfsSleep(sqlite3_vfs* vfs, int us) {
    owner(vfs)->slept(us);
    return owner(vfs)->real()->xSleep(owner(vfs)->real(), us);
}

} // namespace

void applyTo(std::string& content, const FileOp& op, std::size_t from, std::size_t to) {
    if (op.kind == FileOp::Kind::Truncate) {
        content.resize(static_cast<std::size_t>(op.offset));
        return;
    }
    const std::size_t at = static_cast<std::size_t>(op.offset) + from;
    if (content.size() < at + (to - from)) content.resize(at + (to - from), '\0');
    content.replace(at, to - from, op.data, from, to - from);
}

RecordingVfs::RecordingVfs(std::string folder)
    : folder_(std::move(folder) + "/"), real_(sqlite3_vfs_find(nullptr)),
      shim_(new sqlite3_vfs(*real_)) {
    shim_->zName = "kvizomat-recording";
    shim_->szOsFile = static_cast<int>(sizeof(ShimFile)) + real_->szOsFile;
    shim_->pAppData = this;
    shim_->xOpen = vfsOpen;
    shim_->xDelete = vfsDelete;
    shim_->xSleep = vfsSleep;
    shim_->pNext = nullptr;
    sqlite3_vfs_register(shim_, 1);
}

RecordingVfs::~RecordingVfs() {
    sqlite3_vfs_unregister(shim_);
    sqlite3_vfs_register(real_, 1);
    delete shim_;
}

std::vector<FileOp> RecordingVfs::ops() const {
    std::lock_guard lock(mutex_);
    return ops_;
}

void RecordingVfs::record(FileOp op) {
    std::lock_guard lock(mutex_);
    ops_.push_back(std::move(op));
}

void RecordingVfs::slept(std::int64_t us) {
    std::lock_guard lock(mutex_);
    slept_ += us;
    sleeping_.notify_all();
}

bool RecordingVfs::awaitSleep(std::int64_t us) {
    std::unique_lock lock(mutex_);
    sleeping_.wait(lock, [&] { return slept_ >= us || stopped_; });
    return slept_ >= us;
}

void RecordingVfs::stopWaiting() {
    std::lock_guard lock(mutex_);
    stopped_ = true;
    sleeping_.notify_all();
}

std::string RecordingVfs::inFolder(const char* path) const {
    std::string p = path;
    return p.rfind(folder_, 0) == 0 ? p.substr(folder_.size()) : std::string();
}

} // namespace kvz::test
