// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormWidget.h"

#include "Accessibility.h"
#include "Fonts.h"
#include "KeyCodes.h"
#include "Pictures.h"
#include "app/Form1.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QToolTip>
#include <cmath>

namespace kvz::desktop {

namespace {

int toPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

const QString kFrameKey = QStringLiteral("window/frame");

// The window manager's frame as last seen; before the first sight, a title bar of a usual
// height. Only a frame already known lets the window open exactly in place at once.
QMargins rememberedFrame() {
    const QVariantList m = QSettings().value(kFrameKey).toList();
    if (m.size() != 4) return {1, 32, 1, 1};
    return {m[0].toInt(), m[1].toInt(), m[2].toInt(), m[3].toInt()};
}

void rememberFrame(QMargins m) {
    QSettings().setValue(kFrameKey, QVariantList{m.left(), m.top(), m.right(), m.bottom()});
}

QRect availableArea(const QWidget& w) {
    const QScreen* s = w.screen() != nullptr ? w.screen() : QGuiApplication::primaryScreen();
    return s != nullptr ? s->availableGeometry() : QRect();
}

} // namespace

FormWidget::FormWidget(Form1& form, QWidget* parent)
    : QWidget(parent), form_(form), nameBox_(new QLineEdit(this)), hand_(handCursor()) {
    setWindowTitle(QStringLiteral("Kvizomat"));
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus); // labels and pictures never take the focus
    setAttribute(Qt::WA_OpaquePaintEvent);

    // Every change to the name's text goes through the game's key handler.
    nameBox_->installEventFilter(this);
    nameBox_->setContextMenuPolicy(Qt::NoContextMenu);
    nameBox_->setAcceptDrops(false);
    nameBox_->setAttribute(Qt::WA_InputMethodEnabled, false);
    nameBox_->setFocusPolicy(Qt::ClickFocus);
    connect(nameBox_, &QLineEdit::textEdited, this, [this] { syncNameBox(); });
    // A text set from outside, as assistive technology sets it, is typed anew through the
    // game's key handler; the window's own updates already match the game's name.
    connect(nameBox_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text == shownText(form_.Text1.font, form_.Text1.caption, script())) return;
        run([this] {
            if (form_.focus != &form_.Text1) form_.setFocus(&form_.Text1);
            form_.Text1.caption.clear();
        });
        typeIntoNameBox(text);
    });

    timers_ = std::make_unique<TimerSync>(
        std::vector<Timer*>{&form.Timer1, &form.Timer2, &form.Timer3, &form.Timer4, &form.Timer5,
                            &form.timNajava},
        [this](Timer& t) { run([this, &t] { form_.tick(t); }); }, this);
}

FormWidget::~FormWidget() = default;

bool FormWidget::start() {
    run([this] { form_.Main(); });
    design_ = QSize(toPixels(form_.Form.width), toPixels(form_.Form.height));
    return !form_.ended;
}

void FormWidget::open(bool fullScreen) {
    setMinimumSize(smallestWindow(design_));
    placedWith_ = rememberedFrame();
    setGeometry(placeWindow(design_, placedWith_, availableArea(*this)));
    relayout();
    if (fullScreen)
        toggleFullScreen();
    else
        show();
    // The window manager frames the window a moment after it is shown, and says so to no
    // event of the window's: it is looked for a few times.
    auto* look = new QTimer(this);
    connect(look, &QTimer::timeout, this, [this, look, tries = 0]() mutable {
        fitFrame();
        if (frameFitted_ || ++tries == 40) look->deleteLater();
    });
    look->start(25);
}

QImage FormWidget::renderImage() {
    QImage image(size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    render(&image);
    return image;
}

void FormWidget::run(const std::function<void()>& handler) {
    // A message box runs its own event loop; nothing of the game may run meanwhile.
    if (running_ || form_.ended) return;
    running_ = true;
    form_.guarded(handler);
    running_ = false;
    refresh();
}

void FormWidget::refresh() {
    if (form_.ended) {
        hide();
        QCoreApplication::quit();
        return;
    }
    syncNameBox();
    timers_->sync();
    update();
    followGameFocus(*this);
}

void FormWidget::press(Control& control) {
    run([this, &control] { form_.click(control); });
}

void FormWidget::say(const std::string& text, SayPriority priority) {
    const QString shown = shownText(kDisplayFont, text, script());
    announce(*this, shown, priority);
    if (spoken_) spoken_(shown, priority);
}

void FormWidget::onSaid(std::function<void(const QString&, SayPriority)> spoken) {
    spoken_ = std::move(spoken);
}

void FormWidget::relayout() {
    if (design_.isEmpty()) return; // not started yet
    view_ = viewFor(size(), design_, isFullScreen() || isMaximized());
    const int w = static_cast<int>(view_.layout.width() * kTwipsPerPixel);
    const int h = static_cast<int>(view_.layout.height() * kTwipsPerPixel);
    if (w == form_.Form.width && h == form_.Form.height) {
        refresh();
        return;
    }
    run([this, w, h] { form_.resize(w, h); });
}

// The frame the window manager put around the window is known once it is shown: when it is
// not the one the window was placed for, the window is placed again with it.
void FormWidget::fitFrame() {
    if (frameFitted_ || !isVisible() || isFullScreen() || isMaximized()) return;
    const QRect outer = frameGeometry(), inner = geometry();
    if (outer == inner) return; // no frame yet, or none at all
    frameFitted_ = true;
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    if (frame == placedWith_) return;
    rememberFrame(frame);
    setGeometry(placeWindow(design_, frame, availableArea(*this)));
}

void FormWidget::syncNameBox() {
    const Control& box = form_.Text1;
    nameBox_->setGeometry(onScreen(windowRect(box)));
    nameBox_->setFont(fontFor(box.font, box.size, box.bold, view_.scale * 96.0 / 72.0));
    QPalette colours = nameBox_->palette();
    colours.setColor(QPalette::Base, toQColor(box.back));
    colours.setColor(QPalette::Text, toQColor(box.fore));
    nameBox_->setPalette(colours);
    nameBox_->setToolTip(QString::fromStdString(box.tooltip));
    const QString text = shownText(box.font, box.caption, script());
    if (nameBox_->text() != text) nameBox_->setText(text); // leaves the caret at the end
    nameBox_->setVisible(box.shown() && !coveredFromAbove(form_, box));

    const bool focused = form_.focus == &box && box.shown();
    if (focused && !nameBox_->hasFocus())
        nameBox_->setFocus(Qt::OtherFocusReason);
    else if (!focused && nameBox_->hasFocus())
        setFocus(Qt::OtherFocusReason);
}

Control& FormWidget::controlUnder(const QPointF& pixels) {
    return controlAt(form_, (pixels - view_.offset) / view_.scale * kTwipsPerPixel);
}

QRect FormWidget::onScreen(const QRectF& twips) const {
    const double k = view_.scale / kTwipsPerPixel;
    return QRectF(view_.offset + twips.topLeft() * k, twips.size() * k).toAlignedRect();
}

void FormWidget::setScript(Script script) {
    painter_.setScript(script);
    syncNameBox();
    update();
}

void FormWidget::onScriptChosen(std::function<void(Script)> scriptChosen) {
    scriptChosen_ = std::move(scriptChosen);
}

void FormWidget::comeToFront() {
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void FormWidget::toggleFullScreen() {
    // The geometry is set as well, for systems whose window manager (or lack of one) does
    // not resize a window that asks for full screen.
    if (isFullScreen()) {
        showNormal();
        if (normalGeometry_.isValid()) setGeometry(normalGeometry_);
        return;
    }
    normalGeometry_ = geometry();
    if (const QScreen* s = screen()) setGeometry(s->geometry());
    showFullScreen();
}

void FormWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter_.paintView(painter, form_, view_, rect());
}

void FormWidget::resizeEvent(QResizeEvent*) {
    relayout();
    fitFrame();
}

void FormWidget::moveEvent(QMoveEvent*) {
    fitFrame();
}

void FormWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) relayout();
    QWidget::changeEvent(event);
}

void FormWidget::closeEvent(QCloseEvent* event) {
    run([this] { form_.endProgram(); });
    event->accept();
}

void FormWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressed_ = &controlUnder(event->position());
}

void FormWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    Control& released = controlUnder(event->position());
    const bool clicked = pressed_ == &released;
    pressed_ = nullptr;
    clicked_ = clicked ? &released : nullptr;
    if (clicked) run([this, &released] { form_.click(released); });
}

void FormWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = nullptr; // the release that follows is no click
    // The double click belongs to the control the first click reached, even when that
    // click hid it; the first press already clicked.
    Control* c = clicked_ != nullptr ? clicked_ : &controlUnder(event->position());
    clicked_ = nullptr;
    run([this, c] { form_.secondClick(*c); });
}

void FormWidget::mouseMoveEvent(QMouseEvent* event) {
    Control& c = controlUnder(event->position());
    if (c.handCursor)
        setCursor(hand_);
    else
        unsetCursor();
    run([this, &c] { form_.mouseMove(c); });
}

void FormWidget::keyPressEvent(QKeyEvent* event) {
    event->accept();
}

void FormWidget::keyReleaseEvent(QKeyEvent* event) {
    keyReleased(*event);
}

void FormWidget::keyReleased(const QKeyEvent& event) {
    if (event.isAutoRepeat()) return; // one release per key, however long it was held
    // Keys of the program's own, which the game never sees.
    if (event.key() == Qt::Key_F11) {
        toggleFullScreen();
        return;
    }
    if (event.key() == Qt::Key_F9) {
        if (speechToggled_) speechToggled_();
        return;
    }
    if (event.key() == Qt::Key_F12) {
        setScript(script() == Script::Latin ? Script::Cyrillic : Script::Latin);
        if (scriptChosen_) scriptChosen_(script());
        return;
    }
    if (std::optional<int> code = virtualKeyCode(event)) {
        const int shift = shiftState(event);
        run([this, code, shift] { form_.keyUp(*code, shift); });
    }
}

bool FormWidget::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const std::string& tip = controlUnder(help->pos()).tooltip;
    if (tip.empty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), QString::fromStdString(tip), this);
    return true;
}

bool FormWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == nameBox_) return nameBoxEvent(event);
    return QWidget::eventFilter(watched, event);
}

void FormWidget::typeIntoNameBox(const std::vector<int>& codes) {
    for (int code : codes) run([this, code] { form_.keyPress(code); });
}

// A paste is typed: its first line, character by character, through the game's key filter.
void FormWidget::typeIntoNameBox(const QString& pasted) {
    typeIntoNameBox(typedText(pasted.section(QLatin1Char('\n'), 0, 0).remove(QLatin1Char('\r'))));
}

bool FormWidget::nameBoxEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (key.matches(QKeySequence::Paste)) {
            typeIntoNameBox(QGuiApplication::clipboard()->text());
            return true;
        }
        typeIntoNameBox(typedCodes(key));
        return true;
    }
    case QEvent::KeyRelease:
        keyReleased(*static_cast<QKeyEvent*>(event));
        return true;
    case QEvent::FocusIn:
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
            form_.focus != &form_.Text1)
            run([this] { form_.setFocus(&form_.Text1); });
        return false;
    case QEvent::MouseButtonPress:
        // The middle button pastes the selection, through the game's key filter like any paste.
        if (static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton) return false;
        typeIntoNameBox(QGuiApplication::clipboard()->text(QClipboard::Selection));
        return true;
    default:
        return false;
    }
}

} // namespace kvz::desktop
