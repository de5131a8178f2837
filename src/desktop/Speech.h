#pragma once

#include "core/Services.h"

#include <QObject>
#include <QString>
#include <QThread>
#include <functional>

namespace kvz::desktop {

// The spoken quiz: reads the game's announcements aloud through the system's speech service,
// in a Serbian voice where there is one. Speech runs on a thread of its own, so neither
// starting the voice nor speaking ever holds up the game; an assertive announcement cuts off
// what is being said, a polite one waits its turn.
class Speaker {
  public:
    // `notice` hears, in the window's thread, why speech is missing or not Serbian (Cyrillic,
    // naming the package to install).
    explicit Speaker(std::function<void(const QString&)> notice);
    ~Speaker();
    Speaker(const Speaker&) = delete;
    Speaker& operator=(const Speaker&) = delete;

    bool on() const { return on_; }
    // Turning speech on the first time starts the voice; turning it off stops it at once.
    void setOn(bool on);
    void say(const QString& text, SayPriority priority);

  private:
    std::function<void(const QString&)> notice_;
    QThread thread_;
    QObject* voice_ = nullptr; // lives on thread_
    bool on_ = false;
};

} // namespace kvz::desktop
