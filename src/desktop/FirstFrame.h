#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace kvz::desktop {

// For start-up measurements: once the window's first paint has been painted and handed on
// to the window system, prints "first-frame NS W H" (the steady clock in nanoseconds, the
// window's size in pixels) and ends the event loop. The game and the minimal window that
// bench/startup.sh compares it with both stop the clock here, so both are measured alike.
// Header-only, so that the minimal window links nothing of the game.
class FirstFrameProbe : public QObject {
  public:
    explicit FirstFrameProbe(QWidget& window) : QObject(&window), window_(window) {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Runs after the paint event and the flush that follows it.
            QTimer::singleShot(0, this, [this] { report(); });
        }
        return false;
    }

  private:
    void report() {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("first-frame %lld %d %d\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                    window_.width(), window_.height());
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    QWidget& window_;
    bool seen_ = false;
};

} // namespace kvz::desktop
