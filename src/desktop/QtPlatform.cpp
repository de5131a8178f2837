#include "QtPlatform.h"

#include "ProgramFolder.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QTime>

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

QtPlatform::QtPlatform(QString programFolder) : programFolder_(std::move(programFolder)) {}

QtPlatform::~QtPlatform() = default;

QString QtPlatform::defaultProgramFolder() {
    return QCoreApplication::applicationDirPath();
}

void QtPlatform::messageBox(const std::string& text, const std::string& title, MessageIcon icon) {
    QMessageBox box(boxIcon(icon), fromStd(title), fromStd(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void QtPlatform::beep() {
    QApplication::beep();
}

void QtPlatform::playWav(const std::string& fullName) {
    if (muted_) return;
    if (!soundLoaded_) {
        soundLoaded_ = true;
        sound_ = loadSound();
    }
    if (sound_) sound_->play(fromStd(fullName));
}

bool QtPlatform::anotherCopyRunning() {
    if (windowMark_) return false;
    try {
        windowMark_ = std::make_unique<DatabaseLock>(programFolder() + "/Baza.mdb",
                                                     DatabaseLock::Kind::Window);
    } catch (const DatabaseInUse&) {
        return true;
    } catch (const DbError&) { // a file the game cannot write: it says so itself
    }
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
