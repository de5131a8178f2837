// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/Database.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kvz {

// A bundled bank is numbered by release, and a player's copy remembers which of its question
// rows came with the release, so that a newer release can replace those rows and keep the
// player's own. The record lives in tables of its own beside the game's, which the game's
// rules never read:
//   kvzBank     (Release)            one row: the release the copy's questions came from
//   kvzReleased (ID, Pitanje)        the tbKviz rows of that release, with the question text
//                                    they came with (a row whose text was changed is not
//                                    the release's any more)
//   kvzKnown    (Pitanje)            the question texts of every release so far
//   kvzRemoved  (Pitanje)            released questions the player deleted
//   kvzOwn      (ID)                 released rows the player edited, now his own
// A database without kvzBank, as made before releases were recorded, is release 0.

// The release of the bank `conn` holds; 0 when it records none.
std::int64_t bankRelease(const Connection& conn);

// Marks every question `conn` holds as release `release` (1 or more), and records
// `earlierTexts`, the question texts of the releases before it in display code, as known:
// a release-0 copy's questions with those texts are taken for released ones.
void markRelease(const Connection& conn, std::int64_t release,
                 const std::vector<std::string>& earlierTexts);

// What an upgrade changed.
struct UpgradeReport {
    std::int64_t fromRelease = 0;
    std::int64_t toRelease = 0;
    bool upgraded = false;           // false when the copy was already as new as the template
    std::int64_t replaced = 0;       // released questions taken out
    std::int64_t added = 0;          // the new release's questions put in
    std::int64_t ownKept = 0;        // the player's own questions, kept as they were
    std::int64_t notBroughtBack = 0; // new-release questions the player had deleted or made
                                     // his own, left out
};

// Brings the player's copy up to the template's release, in one transaction on `player`:
// the released questions are replaced by the template's, the player's own are kept, and no
// other table of the game is touched. Nothing changes when the template's release is not
// newer. Throws DbError when a read or write fails (the transaction is then rolled back).
UpgradeReport upgradeBank(const Connection& player, const Connection& templ);

// The same for the files: takes the lock of `path` (DatabaseInUse when another program
// holds it), keeps a copy of the old file beside it (see asideCopyPath) while the
// transaction is open, and removes it once the transaction has ended. A failure leaves the
// old file whole.
UpgradeReport upgradeBankFile(const std::string& path, const std::string& templatePath);

// Where upgradeBankFile keeps the old file: Baza.mdb → Baza-prije-nadogradnje.mdb.
std::string asideCopyPath(const std::string& path);

// For the question editor, each inside the caller's write transaction:
// The question row `questionId` becomes the player's own: an upgrade keeps it as it is. Call
// it when a released question is edited.
void makeOwnQuestion(const Connection& conn, std::int64_t questionId);
// The question row `questionId` is remembered as deleted, so that an upgrade does not bring
// its question back. Call it before the row is deleted. A row of the player's own is not
// remembered, except on a copy of release 0, which cannot tell them apart.
void rememberRemovedQuestion(const Connection& conn, std::int64_t questionId);
// A deleted question put back: its text is no longer kept out of an upgrade.
void forgetRemovedQuestion(const Connection& conn, const std::string& questionText);

} // namespace kvz
