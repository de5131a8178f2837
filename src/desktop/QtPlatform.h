// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Fonts.h"
#include "InstanceBeacon.h"
#include "Sound.h"
#include "core/Services.h"
#include "data/DatabaseLock.h"

#include <QString>
#include <functional>
#include <memory>

namespace kvz::desktop {

// The machine's services for the game, on Qt.
class QtPlatform : public Platform {
  public:
    // `programFolder`: where Baza.mdb and the sounds lie (the executable's folder by
    // default).
    explicit QtPlatform(QString programFolder = defaultProgramFolder());
    ~QtPlatform() override;

    static QString defaultProgramFolder();

    // A muted game plays no sounds, the beep included.
    void setMuted(bool muted) { muted_ = muted; }
    // The letters of the player's choice: messages written in Cyrillic show in Latin ones.
    void setScript(Script script) { script_ = script; }
    // What a second start of the game on the same folder asks of this one: to come to the
    // front. A second start calls the first before it ends.
    void onCalledToFront(std::function<void()> called) { calledToFront_ = std::move(called); }
    // Where the game's announcements go (the window); none are kept before it is set.
    void onSay(std::function<void(const std::string&, SayPriority)> said) {
        said_ = std::move(said);
    }

    void messageBox(const std::string& text, const std::string& title, MessageIcon icon) override;
    void beep() override;
    void playWav(const std::string& fullName) override;
    // Another game window on the same Baza.mdb, from any session or machine that shares the
    // folder: the database itself carries the mark, which this window then holds.
    bool anotherCopyRunning() override;
    ScreenSize screenSize() override;
    std::string programFolder() override;
    bool fileExists(const std::string& path) override;
    Date today() override;
    double clockSeed() override;
    // Commits go to a thread of their own: a click never waits for the disk.
    static constexpr DatabaseMode kDatabaseMode = DatabaseMode::WriteBehind;
    DatabaseMode databaseMode() override { return kDatabaseMode; }
    // In the user's cache; static, for the database opened before the platform exists.
    static std::string checkMemo();
    std::string checkMemoFile() override { return checkMemo(); }
    bool isWindowsNT() override;
    std::string fontFolder() override;
    bool copyFile(const std::string& from, const std::string& to) override;
    bool registerDisplayFont(const std::string& keyPath) override;
    void say(const std::string& text, SayPriority priority) override {
        if (said_) said_(text, priority);
    }

  private:
    // The player of the sound module, loaded at the first call; null without the module.
    Sound* sound();

    QString programFolder_;
    std::unique_ptr<DatabaseLock> windowMark_;
    InstanceBeacon beacon_;
    std::function<void()> calledToFront_;
    std::function<void(const std::string&, SayPriority)> said_;
    bool muted_ = false;
    Script script_ = Script::Cyrillic;
    // Loaded at the first sound, so a game that plays none never loads the audio
    // libraries nor opens the audio device.
    std::unique_ptr<Sound> sound_;
    bool soundLoaded_ = false;
};

} // namespace kvz::desktop
