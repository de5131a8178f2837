// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPlatform.h"

#include "ProgramFolder.h"
#include "text/DisplayCode.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QTime>
#include <iostream>

namespace kvz::desktop {

namespace {

QString fromStd(const std::string& s) {
    return QString::fromStdString(s);
}

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

// The font file the game installs, as the display font registration names it.
const char* const kDisplayFontFile = "_ARIAL.TTF";

} // namespace

QtPlatform::QtPlatform(QString programFolder)
    : programFolder_(std::move(programFolder)),
      beacon_(InstanceBeacon::socketPathFor(programFolder_)) {}

QtPlatform::~QtPlatform() = default;

QString QtPlatform::defaultProgramFolder() {
    return QCoreApplication::applicationDirPath();
}

void QtPlatform::messageBox(const std::string& text, const std::string& title, MessageIcon icon) {
    const std::string shown = script_ == Script::Latin ? cyrillicToLatin(text) : text;
    // Without a screen (the offscreen platform of --screenshot and the tests) nobody could
    // read a box or close it: the message goes to the standard error instead.
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        std::cerr << title << ": " << shown << "\n";
        return;
    }
    QMessageBox box(boxIcon(icon), fromStd(title), fromStd(shown), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

// Through the sound server like the WAVs: the X bell is silent on most desktops.
void QtPlatform::beep() {
    if (muted_) return;
    if (Sound* player = sound())
        player->beep();
    else
        QApplication::beep();
}

void QtPlatform::playWav(const std::string& fullName) {
    if (muted_) return;
    if (Sound* player = sound()) player->play(fromStd(fullName));
}

Sound* QtPlatform::sound() {
    if (!soundLoaded_) {
        soundLoaded_ = true;
        sound_ = loadSound();
    }
    return sound_.get();
}

bool QtPlatform::anotherCopyRunning() {
    if (windowMark_) return false;
    try {
        windowMark_ = std::make_unique<DatabaseLock>(programFolder() + "/Baza.mdb",
                                                     DatabaseLock::Kind::Window);
    } catch (const DatabaseInUse&) {
        // The window already running on this database is asked to the front.
        InstanceBeacon::call(InstanceBeacon::socketPathFor(programFolder_));
        return true;
    } catch (const DbError&) { // a file the game cannot write: it says so itself
        return false;
    }
    beacon_.listen([this] {
        if (calledToFront_) calledToFront_();
    });
    return false;
}

ScreenSize QtPlatform::screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    const QRect area = screen->availableGeometry();
    return {area.width() * 15, area.height() * 15};
}

std::string QtPlatform::programFolder() {
    return programFolder_.toStdString();
}

bool QtPlatform::fileExists(const std::string& path) {
    return QFileInfo(fromStd(path)).isFile();
}

Date QtPlatform::today() {
    const QDate d = QDate::currentDate();
    return {d.year(), d.month(), d.day()};
}

double QtPlatform::clockSeed() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

bool QtPlatform::isWindowsNT() {
    return false;
}

std::string QtPlatform::checkMemo() {
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return cache.isEmpty() ? std::string() : (cache + QStringLiteral("/checked")).toStdString();
}

std::string QtPlatform::fontFolder() {
    return (dataHome() + QStringLiteral("/fonts")).toStdString();
}

bool QtPlatform::copyFile(const std::string& from, const std::string& to) {
    const QString target = fromStd(to);
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (QFileInfo::exists(target)) QFile::remove(target);
    return QFile::copy(fromStd(from), target);
}

bool QtPlatform::registerDisplayFont(const std::string&) {
    // fontconfig picks up whatever lies in the user's font folder.
    return QFileInfo(fromStd(fontFolder()) + QLatin1Char('/') + QLatin1String(kDisplayFontFile))
        .isFile();
}

} // namespace kvz::desktop
