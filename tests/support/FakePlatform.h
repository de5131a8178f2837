// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Services.h"

#include <string>
#include <vector>

namespace kvz::test {

// A platform for tests: a settable machine that records what the game asked of it.
class FakePlatform : public Platform {
  public:
    struct Message {
        std::string text, title;
        MessageIcon icon;
    };

    std::string folder;              // the program folder
    ScreenSize screen{15360, 11520}; // 1024 x 768 pixels
    bool otherCopy = false;
    bool nt = false;
    Date date{2026, 1, 1};
    double seed = 1;
    bool registerSucceeds = true;
    DatabaseMode database = DatabaseMode::Direct;

    int beeps = 0;
    std::vector<std::string> sounds; // full names played
    std::vector<Message> messages;
    std::vector<std::string> registeredKeys;

    void messageBox(const std::string& text, const std::string& title, MessageIcon icon) override {
        messages.push_back({text, title, icon});
    }
    void beep() override { ++beeps; }
    void playWav(const std::string& fullName) override { sounds.push_back(fullName); }
    bool anotherCopyRunning() override { return otherCopy; }
    ScreenSize screenSize() override { return screen; }
    std::string programFolder() override { return folder; }
    bool fileExists(const std::string& path) override;
    Date today() override { return date; }
    double clockSeed() override { return seed; }
    DatabaseMode databaseMode() override { return database; }
    bool isWindowsNT() override { return nt; }
    std::string fontFolder() override { return folder + "/fonts"; }
    bool copyFile(const std::string& from, const std::string& to) override;
    bool registerDisplayFont(const std::string& keyPath) override {
        registeredKeys.push_back(keyPath);
        return registerSucceeds;
    }
};

} // namespace kvz::test
