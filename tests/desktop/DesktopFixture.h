// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormPainter.h"
#include "FormWidget.h"
#include "QtPlatform.h"
#include "app/Form1.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QMouseEvent>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kvz::test {

// The test program's one application object, on the offscreen platform, with the bundled fonts.
QApplication& qtApp();

// The real services, but message boxes are recorded, not shown, and beeps and sounds noted with
// the moment the game asked for them; they reach the real player only when `audible`.
class RecordingPlatform : public desktop::QtPlatform {
  public:
    struct Sound {
        std::string name; // "beep", or the WAV file's full name
        std::chrono::steady_clock::time_point at;
    };

    using QtPlatform::QtPlatform;
    void messageBox(const std::string& text, const std::string&, MessageIcon) override {
        messages.push_back(text);
    }
    void beep() override {
        ++beeps;
        sounds.push_back({"beep", std::chrono::steady_clock::now()});
        if (audible) QtPlatform::beep();
    }
    void playWav(const std::string& fullName) override {
        sounds.push_back({fullName, std::chrono::steady_clock::now()});
        if (audible) QtPlatform::playWav(fullName);
    }

    std::vector<std::string> messages;
    int beeps = 0;
    std::vector<Sound> sounds;
    bool audible = false;
};

// Lets the event loop run until `done` holds or `timeoutMs` have passed; whether it holds.
bool runUntil(const std::function<bool()>& done, int timeoutMs = 5000);
void letRun(std::chrono::steady_clock::duration d);

// A program folder in `dir` holding a copy of the bundled database (the application made).
QString withBundledDatabase(const TempDir& dir);

// The program's window on a copy of the bundled database in a temporary program folder.
class DesktopTest : public ::testing::Test {
  protected:
    DesktopTest();

    // Runs the start-up procedure; fails the test when the program ended during it.
    void startProgram();

    // Sends a left click (press and release) to the middle of a control.
    void clickOn(const Control& c);
    void sendMouse(QEvent::Type type, const Control& c);
    void sendMouseAt(QEvent::Type type, QPointF at);
    // Types a text (UTF-8) into the name box and releases each key, as a keyboard would.
    void typeIntoNameBox(const std::string& text);
    void releaseKey(QWidget& target, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    TempDir dir;
    RecordingPlatform platform;
    Generator generator;
    Form1 form;
    desktop::FormWidget window;
};

} // namespace kvz::test
