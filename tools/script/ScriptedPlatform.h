// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Fixture.h"
#include "core/Services.h"
#include "text/DisplayCode.h"

#include <filesystem>
#include <string>

namespace kvz::script {

// What a script sets up before or while the program runs.
struct Scenery {
    ScreenSize screen{15360, 11520}; // 1024 x 768 pixels
    bool windowsNT = false;
    bool anotherCopyRunning = false;
    Date date{2026, 1, 1};
    double clockSeed = 1;
    DatabaseMode database = DatabaseMode::Direct;
    Script letters = Script::Cyrillic; // the player's choice the announcements are read in
};

// The machine as a script plays it: answers from the Scenery, a real program folder, and
// every sound, beep and message recorded as an event for the next dump. Message boxes
// return at once. Nothing is written outside the program folder: the font folder lies
// inside it.
class ScriptedPlatform : public Platform {
  public:
    explicit ScriptedPlatform(std::string folder);

    Scenery scenery;

    void record(Json event) { events_.push_back(std::move(event)); }
    // The events since the last call, in order.
    Json takeEvents();

    void messageBox(const std::string& text, const std::string& title, MessageIcon icon) override;
    void beep() override;
    void playWav(const std::string& fullName) override;
    bool anotherCopyRunning() override { return scenery.anotherCopyRunning; }
    ScreenSize screenSize() override { return scenery.screen; }
    std::string programFolder() override { return folder_; }
    bool fileExists(const std::string& path) override;
    Date today() override { return scenery.date; }
    double clockSeed() override { return scenery.clockSeed; }
    DatabaseMode databaseMode() override { return scenery.database; }
    bool isWindowsNT() override { return scenery.windowsNT; }
    std::string fontFolder() override;
    bool copyFile(const std::string& from, const std::string& to) override;
    bool registerDisplayFont(const std::string&) override { return true; }
    void say(const std::string& text, SayPriority priority) override;

  private:
    // Whether a path lies inside the program folder: the only place the driver writes.
    bool insideFolder(const std::filesystem::path& canonical) const;

    std::string folder_;
    Json events_ = Json::array();
};

} // namespace kvz::script
