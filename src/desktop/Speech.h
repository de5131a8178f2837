// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Services.h"

#include <QObject>
#include <QString>
#include <QThread>
#include <functional>

namespace kvz::desktop {

// The voice of the spoken quiz. It lives in a module of its own beside the program
// (kvizomat-speech), loaded when speech is first turned on, so the speech libraries cost
// nothing at start-up; it runs on the speaker's thread.
class Voice : public QObject {
  public:
    // Hears why speech is missing or not Serbian (Cyrillic, naming the package to install).
    using Notice = std::function<void(const QString&)>;

    // Starts the engine, in a Serbian voice where there is one; false when there is none.
    virtual bool start() = 0;
    // An assertive text cuts off what is being said, a polite one waits its turn.
    virtual void say(const QString& text, SayPriority priority) = 0;
    virtual void stop() = 0;
};

// The module's entry point.
using CreateVoice = Voice* (*)(Voice::Notice);
inline constexpr const char* kCreateVoiceSymbol = "kvzCreateVoice";

// The spoken quiz: reads the game's announcements aloud. The voice runs on a thread of its
// own, so neither starting it nor speaking ever holds up the game.
class Speaker {
  public:
    // `notice` hears, in the window's thread, why speech is missing or not Serbian.
    explicit Speaker(Voice::Notice notice);
    ~Speaker();
    Speaker(const Speaker&) = delete;
    Speaker& operator=(const Speaker&) = delete;

    bool on() const { return on_; }
    // Turning speech on the first time loads and starts the voice; turning it off stops it.
    void setOn(bool on);
    void say(const QString& text, SayPriority priority);

  private:
    // Runs `step` on the voice's thread.
    void onVoice(std::function<void(Voice&)> step);

    Voice::Notice notice_;
    // Left running at the end when the voice is still busy (a speech service can take long to
    // answer): the program ends regardless, and a running QThread must not be destroyed.
    QThread* thread_ = new QThread;
    Voice* voice_ = nullptr; // lives on thread_
    bool on_ = false;
};

} // namespace kvz::desktop
