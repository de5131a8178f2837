// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up procedure and the program-wide helpers.
#include "app/Form1.h"
#include "app/Messages.h"
#include "data/CheckMemo.h"
#include "data/DatabaseCheck.h"
#include "data/Journal.h"

#include <filesystem>

namespace kvz {

void Form1::Main() {
    if (!platform_.fileExists(programFile("Baza.mdb"))) {
        endWithError("Kraj! Obrisana je baza podataka.");
        return;
    }
    try {
        openDatabase();
        InstallFontAtStart();
        Form_Load();
    } catch (const DatabaseInUse& e) {
        // Held by the copy already running, this one ends without a word as the loading's
        // check would end it; held by any other program, the player is told.
        if (platform_.anotherCopyRunning())
            endProgram();
        else
            reportDatabaseError(*this, e);
        return;
    } catch (const std::exception& e) {
        reportFailure(*this, e);
        return;
    }
    if (ended) return;
    shown = true;
    Form_Resize();
    Form_Activate();
    setFocus(&Text1);
}

OpenedDatabase openGameDatabase(const std::string& path, DatabaseMode mode,
                                const std::string& memoFile) {
    // Nobody else writes the file while the game may: the counters it keeps in memory and
    // writes back stay true. A scratch copy only reads, and looks only when nobody writes.
    // A game that could store nothing is refused before it is played: a file it may not
    // write before its lock is taken, a folder that refuses its journal once a journal left
    // beside the file has been judged (which says more).
    const bool scratch = mode == DatabaseMode::Scratch;
    if (!scratch) requireWritableFile(path);
    OpenedDatabase opened;
    opened.lock = scratch ? lockIfFree(path) : std::make_unique<DatabaseLock>(path);
    const CheckMemo memo(memoFile);
    opened.conn = openCheckedDatabase(path, opened.lock.get(), &memo);
    if (!scratch) {
        requireWritableFolder(path);
        opened.conn->useRollbackJournal();
    }
    return opened;
}

void Form1::openDatabase() {
    const std::string path = programFile("Baza.mdb");
    OpenedDatabase opened = databaseAhead.valid() ? databaseAhead.get()
                                                  : openGameDatabase(path, platform_.databaseMode(),
                                                                     platform_.checkMemoFile());
    Lock = std::move(opened.lock);
    Conn = std::move(opened.conn);
    switch (platform_.databaseMode()) {
    case DatabaseMode::Direct:
        Writes = directWriter(*Conn);
        break;
    case DatabaseMode::WriteBehind:
        Writes = backgroundWriter(path);
        break;
    case DatabaseMode::Scratch:
        Conn = Connection::inMemoryCopy(*Conn);
        Writes = directWriter(*Conn);
        Lock.reset();
        break;
    }
    RsStat = std::make_unique<Settings>(*Conn, *Writes);
    RsResults = std::make_unique<Results>(*Conn, *Writes);
}

void Form1::PlayWav(const std::string& fullName) {
    platform_.playWav(fullName);
}

void Form1::PlayProgramSound(const std::string& fileName) {
    std::string full = programFile(fileName);
    if (platform_.fileExists(full)) PlayWav(full);
}

void Form1::endWithError(const std::string& text) {
    platform_.messageBox(text, "Kvizomat", MessageIcon::Critical);
    exitStatus = 1;
    endProgram();
}

void Form1::endProgram() {
    ended = true;
    focus = nullptr;
    // Every write committed and none left half done: the file is as sound as when it passed
    // its check at the start, and the next start need not read it through.
    const std::string path = programFile("Baza.mdb");
    if (finishWrites() && Lock != nullptr && !std::filesystem::exists(journalOf(path)))
        CheckMemo(platform_.checkMemoFile()).remember(CheckMemo::stampOf(path));
}

bool Form1::finishWrites() {
    if (Writes == nullptr) return false;
    try {
        Writes->settle();
        return true;
    } catch (const std::exception& e) {
        reportFailure(*this, e);
        return false;
    }
}

} // namespace kvz
