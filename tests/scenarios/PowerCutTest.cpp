// SPDX-License-Identifier: GPL-3.0-or-later
// A power cut at any moment leaves Baza.mdb whole, in one of the states the games passed
// through. A kill stops the program but the system still writes what it was given; a power
// cut loses what the disk had not made durable. So every write and sync the game makes
// (writes behind the game, as the window commits them) is recorded, and the cut is
// simulated after each of them in turn: the writes since a file's last sync are each kept,
// lost, or torn (only some of their 512-byte sectors written), at random. The files as the
// disk would hold them are then opened the way the game opens them at its next start.
//
// KVZ_POWER_CUTS sets the number of simulated cuts (300 by default).
#include "data/DatabaseCheck.h"
#include "data/DatabaseLock.h"
#include "support/RecordingVfs.h"
#include "support/ScriptSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <set>

using namespace kvz;
using namespace kvz::test;

namespace {

constexpr std::size_t kSector = 512;

// What one file holds on the disk: its content as of its last sync, and the changes made
// since, which a power cut may or may not have let through.
struct DiskFile {
    std::optional<std::string> durable; // nothing: the file does not exist
    std::vector<FileOp> pending;
};

// The disk as it is after the recorded changes, with what a power cut now would leave.
class Disk {
  public:
    explicit Disk(const std::string& database) { files_["Baza.mdb"].durable = database; }

    void replay(const FileOp& op) {
        DiskFile& f = files_[op.file];
        switch (op.kind) {
        case FileOp::Kind::Write:
        case FileOp::Kind::Truncate:
            if (!f.durable) f.durable = std::string(); // created: the name is there at once
            f.pending.push_back(op);
            break;
        case FileOp::Kind::Sync:
            for (const FileOp& p : f.pending) applyTo(*f.durable, p, 0, p.data.size());
            f.pending.clear();
            break;
        case FileOp::Kind::Delete:
            f = DiskFile{};
            break;
        }
    }

    // The files a cut now would leave, each change since its file's last sync kept, lost or
    // torn at random.
    std::map<std::string, std::string> afterCut(std::mt19937_64& random) const {
        std::map<std::string, std::string> out;
        for (const auto& [name, f] : files_) {
            if (!f.durable) continue;
            std::string content = *f.durable;
            for (const FileOp& op : f.pending) cutShort(content, op, random);
            out[name] = std::move(content);
        }
        return out;
    }

  private:
    static void cutShort(std::string& content, const FileOp& op, std::mt19937_64& random) {
        switch (op.kind == FileOp::Kind::Truncate ? random() % 2 : random() % 3) {
        case 0: // lost
            return;
        case 1: // written whole (a truncation is never torn)
            applyTo(content, op, 0, op.data.size());
            return;
        default: // torn: some sectors written, the others not
            for (std::size_t s = 0; s < op.data.size(); s += kSector)
                if (random() % 2 == 0)
                    applyTo(content, op, s, std::min(op.data.size(), s + kSector));
        }
    }

    std::map<std::string, DiskFile> files_;
};

// The database as the game finds it at its next start: checked, a journal rolled back.
Json reopened(const std::map<std::string, std::string>& files, std::string& problem) {
    TempDir dir;
    for (const auto& [name, content] : files) writeFile(dir.file(name), content);
    try {
        DatabaseLock lock(dir.file("Baza.mdb"));
        auto conn = openCheckedDatabase(dir.file("Baza.mdb"), &lock);
        if (integrity(*conn) != "ok") problem = "the integrity check fails";
        return exportDatabase(*conn);
    } catch (const DbError& e) {
        problem = std::string("refused: ") + e.what();
        return Json();
    }
}

} // namespace

TEST(PowerCut, aCutAfterAnyWriteOrSyncLeavesAWholeFileInAStateTheGamesPassedThrough) {
    const std::string script = writingGames();
    const std::string fresh = freshDatabase();
    const std::vector<Json> states = statesOf(script, fresh);
    ASSERT_GT(states.size(), 3u * kWritingGames);

    ProgramFolder folder(nullptr);
    writeFile(folder.file("Baza.mdb"), fresh);
    std::vector<FileOp> ops;
    {
        RecordingVfs vfs(folder.path());
        auto result = script::runScript(
            script, folder.path(), [](const Json&) {}, {}, DatabaseMode::WriteBehind);
        ASSERT_EQ(result.status, script::kRanToEnd) << result.error;
        ops = vfs.ops();
    }
    ASSERT_EQ(folder.exportDatabase(), states.back()) << "the recorded run and the trace disagree";

    // Every point of the run in turn, as often as the count of cuts allows.
    const auto cuts = static_cast<std::size_t>(countFromEnvironment("KVZ_POWER_CUTS", 300));
    const std::size_t points = ops.size() + 1;
    std::mt19937_64 random(std::random_device{}());
    std::set<std::ptrdiff_t> reached;
    Disk disk(fresh);
    std::size_t replayed = 0;
    for (std::size_t cut = 0; cut < cuts; ++cut) {
        const std::size_t point = cuts >= points ? cut % points : cut * points / cuts;
        if (point < replayed) disk = Disk(fresh), replayed = 0;
        while (replayed < point) disk.replay(ops[replayed++]);
        std::string problem;
        Json now = reopened(disk.afterCut(random), problem);
        ASSERT_TRUE(problem.empty()) << "cut " << cut << " after " << point << " of " << ops.size()
                                     << " changes: " << problem;
        auto at = std::find(states.begin(), states.end(), now);
        ASSERT_NE(at, states.end()) << "cut " << cut << " after " << point << " of " << ops.size()
                                    << " changes: a state the games never had";
        reached.insert(at - states.begin());
    }
    std::cout << "power cut: " << cuts << " cuts over " << ops.size() << " recorded changes of "
              << states.size() - 1 << " writes; " << reached.size() << " of " << states.size()
              << " states found after a cut\n";
}
