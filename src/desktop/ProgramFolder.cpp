// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramFolder.h"

#include "QtPlatform.h"
#include "data/BankRelease.h"
#include "data/CheckMemo.h"
#include "data/DatabaseCheck.h"
#include "data/DatabaseLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kvz::desktop {

namespace {

const QString kDatabase = QStringLiteral("Baza.mdb");
const QStringList kSounds = {QStringLiteral("Mil.wav"), QStringLiteral("Drugar.wav")};

QString in(const QString& folder, const QString& name) {
    return folder + QLatin1Char('/') + name;
}

bool portable(const QString& folder) {
    const QFileInfo database(in(folder, kDatabase));
    return database.isFile() && database.isWritable() && QFileInfo(folder).isWritable();
}

// Whether the file is no database the game's key opens, or is cut short or corrupt. A file
// that opens but holds bad rows, and any other failure (a copy of the game writing to it, a
// read error), is left to the game to report: the file is not touched.
bool damaged(const QString& path) {
    try {
        auto lock = lockIfFree(path.toStdString());
        // Remembered when sound, so that the game's own check of it need not read it again.
        const CheckMemo memo(QtPlatform::checkMemo());
        openCheckedDatabase(path.toStdString(), lock.get(), &memo);
        return false;
    } catch (const BadDatabase& e) {
        using Kind = DatabaseFault::Kind;
        const Kind kind = e.fault().kind;
        return kind == Kind::Empty || kind == Kind::NotEncrypted || kind == Kind::Damaged;
    } catch (const DbError&) {
        return false;
    }
}

bool copyIn(const QString& from, const QString& to, const QString& name) {
    const QString target = in(to, name);
    if (!QFile::copy(in(from, name), target)) return false;
    // The template is installed read-only; the player's copy is written to.
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

QString freshCopy(const QString& templateFolder, const QString& userFolder) {
    if (!copyIn(templateFolder, userFolder, kDatabase))
        return QStringLiteral("Нова копија базе није могла бити направљена у %1.").arg(userFolder);
    return {};
}

// A damaged copy is moved aside, never overwritten, and a fresh one takes its place.
QString replaceDamaged(const QString& templateFolder, const QString& userFolder,
                       const QDateTime& now) {
    const QString kept =
        QStringLiteral("Baza-ostecena-%1.mdb").arg(now.toString(QStringLiteral("yyyyMMdd-HHmmss")));
    if (!QFile::rename(in(userFolder, kDatabase), in(userFolder, kept)))
        return QStringLiteral("База %1 је оштећена, а није се могла ни склонити. Премјестите је "
                              "и покрените игру поново.")
            .arg(in(userFolder, kDatabase));
    QString notice = QStringLiteral("База %1 је оштећена. Сачувана је као %2, а игра почиње са "
                                    "новом базом: бројачи и рекордери крећу од почетка.")
                         .arg(in(userFolder, kDatabase), kept);
    if (QString failed = freshCopy(templateFolder, userFolder); !failed.isEmpty())
        notice += QLatin1Char(' ') + failed;
    return notice;
}

// A newer bank in the template replaces the questions that came with the copy's; the player's
// counters, records and own questions stay. A failed upgrade leaves the copy whole, and the
// game plays on with it.
QString upgradeCopy(const QString& templateFolder, const QString& userFolder) {
    const QString copy = in(userFolder, kDatabase);
    try {
        upgradeBankFile(copy.toStdString(), in(templateFolder, kDatabase).toStdString());
        return {};
    } catch (const DbError& e) {
        // A window already playing on it (the next start upgrades), or a file the game
        // refuses and says why itself.
        if (dynamic_cast<const DatabaseInUse*>(&e) != nullptr ||
            dynamic_cast<const BadDatabase*>(&e) != nullptr ||
            e.cause() == DbError::Cause::NotWritable)
            return {};
        return QStringLiteral("Нова питања ове верзије игре нису пренесена у базу %1%2. Игра "
                              "наставља са досадашњим питањима, а бројачи, рекордери и ваша "
                              "питања остају сачувани.")
            .arg(copy, e.cause() == DbError::Cause::DiskFull
                           ? QStringLiteral(": на диску нема мјеста")
                           : QString());
    }
}

} // namespace

FolderChoice chooseProgramFolder(const QString& executableFolder, const QString& templateFolder,
                                 const QString& userFolder, const QDateTime& now) {
    if (portable(executableFolder)) return {executableFolder, {}};
    if (!QFileInfo(in(templateFolder, kDatabase)).isFile()) return {executableFolder, {}};

    FolderChoice choice{userFolder, {}};
    const bool firstStart = !QFileInfo::exists(userFolder);
    QDir().mkpath(userFolder);
    for (const QString& sound : kSounds)
        if (!QFileInfo::exists(in(userFolder, sound))) copyIn(templateFolder, userFolder, sound);

    if (!QFileInfo::exists(in(userFolder, kDatabase))) {
        choice.notice = freshCopy(templateFolder, userFolder);
        if (!firstStart && choice.notice.isEmpty())
            choice.notice = QStringLiteral("База %1 није пронађена. Направљена је нова: "
                                           "бројачи и рекордери крећу од почетка.")
                                .arg(in(userFolder, kDatabase));
    } else if (damaged(in(userFolder, kDatabase))) {
        choice.notice = replaceDamaged(templateFolder, userFolder, now);
    } else {
        choice.notice = upgradeCopy(templateFolder, userFolder);
    }
    return choice;
}

QString installedTemplateFolder(const QString& executableFolder) {
    return QDir::cleanPath(executableFolder + QStringLiteral("/../share/kvizomat"));
}

QString dataHome() {
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    return QDir::isAbsolutePath(xdg) ? QDir::cleanPath(xdg)
                                     : QDir::homePath() + QStringLiteral("/.local/share");
}

QString userDataFolder() {
    return dataHome() + QStringLiteral("/kvizomat");
}

} // namespace kvz::desktop
