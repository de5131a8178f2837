// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormPainter.h"
#include "TimerSync.h"
#include "WindowFit.h"
#include "core/Services.h"

#include <QCursor>
#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

class QLineEdit;

namespace kvz {
class Form1;
}

namespace kvz::desktop {

// The game's window on screen: paints the window model, turns mouse, keys and timer ticks
// into the model's events and brings itself up to date after each of them. The name box
// is a real line edit whose every typed character goes through the game's key handler.
class FormWidget : public QWidget {
  public:
    explicit FormWidget(Form1& form, QWidget* parent = nullptr);
    ~FormWidget() override;

    // Runs the start-up procedure. False when the program ended during it.
    bool start();
    // Shows the window, centred on the screen and fitted into it with its frame, or in full
    // screen.
    void open(bool fullScreen);

    // The window as it looks now, name box included.
    QImage renderImage();

    QLineEdit& nameBox() { return *nameBox_; }
    Form1& form() { return form_; }
    // A rectangle of the game (twips) in the window's pixels, as it is drawn now.
    QRect onScreen(const QRectF& twips) const;
    // Clicks a control through the game's own event path, as the mouse would.
    void press(Control& control);
    // Hands on what the game says (display code) in the player's letters: to assistive
    // technology, and to `spoken` when one is set.
    void say(const std::string& text, SayPriority priority);
    void onSaid(std::function<void(const QString&, SayPriority)> spoken);
    const TimerSync& timers() const { return *timers_; }

    // The letters of the display code on screen; `scriptChosen` hears the player's F12.
    Script script() const { return painter_.script(); }
    // The pictures' renders are kept in `folder` for the next start (Pictures::keepOnDisk).
    void keepPicturesIn(const QString& folder) { painter_.pictures().keepOnDisk(folder); }
    void setScript(Script script);
    void onScriptChosen(std::function<void(Script)> scriptChosen);
    // F9, the spoken quiz on or off: the choice is the host's.
    void onSpeechToggled(std::function<void()> toggled) { speechToggled_ = std::move(toggled); }

    // Brings the window to the front, out of the task bar if minimised.
    void comeToFront();
    // F11: full screen and back.
    void toggleFullScreen();
    // Window pixels per pixel of the game (WindowFit): 1 at normal sizes; in full screen,
    // maximised, or in a window much larger or smaller than the game's design size, the
    // whole game is drawn larger or smaller, uniformly.
    double viewScale() const { return view_.scale; }
    // The game's window as the start-up sized it, in pixels.
    QSize designSize() const { return design_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Runs one handler of the game, then brings the window up to date. A failure the game
    // does not handle ends the program with a message instead of crashing.
    void run(const std::function<void()>& handler);
    void refresh();
    void relayout();
    void fitFrame();
    void syncNameBox();
    void keyReleased(const QKeyEvent& event);
    Control& controlUnder(const QPointF& pixels);
    bool nameBoxEvent(QEvent* event);
    void typeIntoNameBox(const std::vector<int>& codes);
    void typeIntoNameBox(const QString& pasted);

    Form1& form_;
    FormPainter painter_;
    QLineEdit* nameBox_;
    std::unique_ptr<TimerSync> timers_;
    Control* pressed_ = nullptr;
    Control* clicked_ = nullptr; // the control the last click reached
    bool running_ = false;
    QCursor hand_;
    QRect normalGeometry_; // the window's place before full screen
    QSize design_;         // the game's window as the start-up sized it, in pixels
    View view_;
    QMargins placedWith_;      // the frame the window was placed for
    bool frameFitted_ = false; // the window manager's frame has been seen and allowed for
    std::function<void(Script)> scriptChosen_;
    std::function<void(const QString&, SayPriority)> spoken_;
    std::function<void()> speechToggled_;
};

} // namespace kvz::desktop
