// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Journal.h"

#include "data/CipherPage.h"
#include "data/DatabaseCheck.h"
#include "data/DatabaseLock.h"

#include <array>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kvz {

namespace {

namespace fs = std::filesystem;

constexpr std::array<unsigned char, 8> kJournalMagic = {0xd9, 0xd5, 0x05, 0xf9,
                                                        0x20, 0xa1, 0x63, 0xd7};
// SQLite's reserved lock byte: held while a connection writes, its journal live.
constexpr off_t kReservedByte = 0x40000001;
constexpr std::uint32_t kRecordsToEndOfFile = 0xFFFFFFFF;

[[noreturn]] void refuse(DatabaseFault::Kind kind, const std::string& file) {
    DatabaseFault f;
    f.kind = kind;
    f.field = fs::path(file).filename().string();
    const char* why = kind == DatabaseFault::Kind::PendingLog
                          ? "holds changes another program has not yet written into the "
                            "database; let that program finish with it"
                      : kind == DatabaseFault::Kind::ForeignJournal
                          ? "is a rollback journal that does not belong to this database; move "
                            "it out of the folder"
                          : "must be rolled back into the database, but the folder may not be "
                            "written; allow writing in it";
    throw BadDatabase(std::move(f), file + " " + why);
}

std::uint32_t bigEndian(const std::string& b, std::size_t at) {
    auto u = [&](std::size_t i) { return std::uint32_t{static_cast<unsigned char>(b[at + i])}; };
    return u(0) << 24 | u(1) << 16 | u(2) << 8 | u(3);
}

std::string readAt(int fd, off_t at, std::size_t n) {
    std::string out(n, '\0');
    const ssize_t got = ::pread(fd, out.data(), n, at);
    out.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return out;
}

off_t sizeOf(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? st.st_size : 0;
}

// Another program, one that takes no lock of ours, is writing the file now.
bool writtenNow(int fd) {
    struct flock f {};
    f.l_type = F_WRLCK;
    f.l_whence = SEEK_SET;
    f.l_start = kReservedByte;
    f.l_len = 1;
    return ::fcntl(fd, F_GETLK, &f) == 0 && f.l_type != F_UNLCK;
}

bool powerOfTwo(std::uint32_t n, std::uint32_t low, std::uint32_t high) {
    return n >= low && n <= high && (n & (n - 1)) == 0;
}

// Whether a hot journal can be the one this file's last write left.
bool belongs(int db, int journal, const std::string& header) {
    const std::uint32_t records = bigEndian(header, 8), originalPages = bigEndian(header, 16);
    const std::uint32_t sector = bigEndian(header, 20), pageSize = bigEndian(header, 24);
    if (!powerOfTwo(sector, 32, 65536) || !powerOfTwo(pageSize, 512, 65536)) return false;
    const off_t dbSize = sizeOf(db);
    // Nothing recorded yet: the write had not touched the file, which must still have the
    // size the journal would cut it back to.
    if (records == 0) return dbSize == off_t{originalPages} * pageSize;
    const off_t record = 8 + off_t{pageSize};
    const off_t count =
        records == kRecordsToEndOfFile ? (sizeOf(journal) - sector) / record : off_t{records};
    for (off_t i = 0; i < count; ++i) {
        const off_t at = sector + i * record;
        const std::string number = readAt(journal, at, 4);
        if (number.size() < 4) return false;
        if (bigEndian(number, 0) != 1) continue;
        const std::string image = readAt(journal, at + 4, pageSize);
        const std::string page = readAt(db, 0, pageSize);
        if (image.size() < pageSize || page.size() < kSaltBytes ||
            image.compare(0, kSaltBytes, page, 0, kSaltBytes) != 0)
            return false;
        auto before = writeCount(image, kDatabasePassword);
        if (!before) return false;
        // Page 1 of the file torn by a power cut mid-write: the journal is what mends it.
        auto now = page.size() == pageSize ? writeCount(page, kDatabasePassword) : std::nullopt;
        return !now || *now == *before || *now == *before + 1;
    }
    return false;
}

bool folderWritable(const std::string& journal) {
    return ::access(fs::path(journal).parent_path().c_str(), W_OK) == 0 &&
           ::access(journal.c_str(), W_OK) == 0;
}

} // namespace

void checkFilesBeside(const std::string& path, const DatabaseLock* lock) {
    std::error_code ec;
    const std::string log = path + "-wal";
    if (fs::is_regular_file(log, ec) && fs::file_size(log, ec) > 0)
        refuse(DatabaseFault::Kind::PendingLog, log);
    if (lock == nullptr || writtenNow(lock->fd())) return;

    const std::string journalPath = journalOf(path);
    const int journal = ::open(journalPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (journal < 0) return;
    const std::string header = readAt(journal, 0, 28);
    // An empty journal, or one whose header was zeroed, is not played back.
    const bool hot = !header.empty() && header[0] != '\0';
    const bool magic =
        header.size() == 28 &&
        std::equal(kJournalMagic.begin(), kJournalMagic.end(), header.begin(),
                   [](unsigned char a, char b) { return a == static_cast<unsigned char>(b); });
    const bool ours = hot && magic && belongs(lock->fd(), journal, header);
    ::close(journal);
    if (!hot) return;
    if (magic && !ours) refuse(DatabaseFault::Kind::ForeignJournal, journalPath);
    if (!folderWritable(journalPath))
        refuse(DatabaseFault::Kind::JournalInReadOnlyFolder, journalPath);
}

} // namespace kvz
