// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

namespace kvz::desktop {

// Where the game plays from, and what the player must be told first.
struct FolderChoice {
    QString folder;
    QString notice; // empty when there is nothing to tell
};

// Chooses the program folder. A folder beside the executable that holds Baza.mdb and may be
// written to is a portable copy and is used as it is. Otherwise the game plays from the
// user's own folder, filled from the installed template on the first start. A user copy
// that is missing or cannot be opened is never replaced silently: a damaged one is kept
// aside under a dated name, and the notice says so. A copy whose bank is older than the
// template's is upgraded (see upgradeBankFile); when that fails the notice says so, and the
// game plays on the copy as it was.
FolderChoice chooseProgramFolder(const QString& executableFolder, const QString& templateFolder,
                                 const QString& userFolder, const QDateTime& now);

// The installed template beside an executable in <prefix>/bin: <prefix>/share/kvizomat.
QString installedTemplateFolder(const QString& executableFolder);

// The user's data home: $XDG_DATA_HOME, or ~/.local/share when it is unset or relative (a
// relative value is to be ignored, not read against whatever folder the game started in).
QString dataHome();

// The user's data folder for the game ($XDG_DATA_HOME/kvizomat).
QString userDataFolder();

} // namespace kvz::desktop
