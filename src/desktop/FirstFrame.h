// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <functional>

namespace kvz::desktop {

// Runs `then` once the window's first paint has been painted and handed on to the window
// system: what the first frame does not show can wait for it.
class AfterFirstFrame : public QObject {
  public:
    AfterFirstFrame(QWidget& window, std::function<void()> then)
        : QObject(&window), then_(std::move(then)) {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Runs after the paint event and the flush that follows it.
            QTimer::singleShot(0, this, [this] { then_(); });
        }
        return false;
    }

  private:
    std::function<void()> then_;
};

// For start-up measurements: once the window's first frame is out, prints "first-frame NS
// W H" (the steady clock in nanoseconds, the window's size in pixels) and ends the event
// loop. The game and the minimal window that bench/startup.sh compares it with both stop
// the clock here, so both are measured alike. Header-only, so that the minimal window links
// nothing of the game.
class FirstFrameProbe : public AfterFirstFrame {
  public:
    explicit FirstFrameProbe(QWidget& window)
        : AfterFirstFrame(window, [&window] { report(window); }) {}

  private:
    static void report(const QWidget& window) {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("first-frame %lld %d %d\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                    window.width(), window.height());
        std::fflush(stdout);
        QCoreApplication::quit();
    }
};

} // namespace kvz::desktop
