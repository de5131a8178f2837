#include "FormWidget.h"

#include "Fonts.h"
#include "KeyCodes.h"
#include "Pictures.h"
#include "app/Form1.h"
#include "app/Messages.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <cmath>

namespace kvz::desktop {

namespace {

// A window this many times the design size, or more, shows the game drawn larger.
constexpr double kPresenterFrom = 1.5;

int toPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

} // namespace

FormWidget::FormWidget(Form1& form, QWidget* parent)
    : QWidget(parent), form_(form), nameBox_(new QLineEdit(this)), hand_(handCursor()),
      designSize_(form.Form.width / kTwipsPerPixel, form.Form.height / kTwipsPerPixel) {
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

    timers_ = std::make_unique<TimerSync>(
        std::vector<Timer*>{&form.Timer1, &form.Timer2, &form.Timer3, &form.Timer4, &form.Timer5,
                            &form.timNajava},
        [this](Timer& t) { run([this, &t] { form_.tick(t); }); }, this);
}

FormWidget::~FormWidget() = default;

bool FormWidget::start() {
    run([this] { form_.Main(); });
    return !form_.ended;
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
    try {
        handler();
    } catch (const std::exception& e) {
        reportFailure(form_, e);
    }
    running_ = false;
    refresh();
}

void FormWidget::refresh() {
    if (form_.ended) {
        hide();
        QCoreApplication::quit();
        return;
    }
    syncSize();
    syncNameBox();
    timers_->sync();
    update();
}

void FormWidget::syncSize() {
    if (scale_ != 1) return; // drawn larger, the game takes the window's size, not the reverse
    const QSize wanted(toPixels(form_.Form.width), toPixels(form_.Form.height));
    if (wanted == appliedSize_ || wanted.isEmpty()) return;
    appliedSize_ = wanted;
    resize(wanted);
}

void FormWidget::syncNameBox() {
    const Control& box = form_.Text1;
    nameBox_->setGeometry(onScreen(windowRect(box)));
    nameBox_->setFont(fontFor(box.font, box.size, box.bold, scale_ * 96.0 / 72.0));
    QPalette colours = nameBox_->palette();
    colours.setColor(QPalette::Base, toQColor(box.back));
    colours.setColor(QPalette::Text, toQColor(box.fore));
    nameBox_->setPalette(colours);
    nameBox_->setToolTip(QString::fromStdString(box.tooltip));
    const QString text = shownText(box.font, box.caption, script());
    if (nameBox_->text() != text) nameBox_->setText(text); // leaves the caret at the end
    nameBox_->setVisible(box.shown());

    const bool focused = form_.focus == &box && box.shown();
    if (focused && !nameBox_->hasFocus())
        nameBox_->setFocus(Qt::OtherFocusReason);
    else if (!focused && nameBox_->hasFocus())
        setFocus(Qt::OtherFocusReason);
}

Control& FormWidget::controlUnder(const QPointF& pixels) {
    return controlAt(form_, (pixels - offset_) / scale_ * kTwipsPerPixel);
}

QRect FormWidget::onScreen(const QRectF& twips) const {
    const double k = scale_ / kTwipsPerPixel;
    return QRectF(offset_ + twips.topLeft() * k, twips.size() * k).toAlignedRect();
}

void FormWidget::setScript(Script script) {
    painter_.setScript(script);
    syncNameBox();
    update();
}

void FormWidget::onScriptChosen(std::function<void(Script)> scriptChosen) {
    scriptChosen_ = std::move(scriptChosen);
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

void FormWidget::chooseScale() {
    const double fit = std::min(width() / designSize_.width(), height() / designSize_.height());
    const bool larger = fit >= 1 && (isFullScreen() || fit >= kPresenterFrom);
    scale_ = larger ? fit : 1;
}

void FormWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (scale_ != 1) painter.fillRect(rect(), Qt::black); // what the game leaves uncovered
    painter.translate(offset_);
    painter.scale(scale_ / kTwipsPerPixel, scale_ / kTwipsPerPixel);
    painter_.paint(painter, form_, QRectF(0, 0, form_.Form.width, form_.Form.height));
}

void FormWidget::resizeEvent(QResizeEvent*) {
    if (size() == appliedSize_) return;
    appliedSize_ = size();
    chooseScale();
    // Drawn larger, the game lays itself out on the window's shape at its design scale.
    const int w = static_cast<int>(width() / scale_ * kTwipsPerPixel);
    const int h = static_cast<int>(height() / scale_ * kTwipsPerPixel);
    offset_ =
        QPointF(width() - w * scale_ / kTwipsPerPixel, height() - h * scale_ / kTwipsPerPixel) / 2;
    run([this, w, h] { form_.resize(w, h); });
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
    // Two keys of the program's own, which the game never sees.
    if (event.key() == Qt::Key_F11) {
        toggleFullScreen();
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

bool FormWidget::nameBoxEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        for (int code : typedCodes(*static_cast<QKeyEvent*>(event)))
            run([this, code] { form_.keyPress(code); });
        return true;
    case QEvent::KeyRelease:
        keyReleased(*static_cast<QKeyEvent*>(event));
        return true;
    case QEvent::FocusIn:
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
            form_.focus != &form_.Text1)
            run([this] { form_.setFocus(&form_.Text1); });
        return false;
    case QEvent::MouseButtonPress:
        // The middle button would paste the selection past the game's key filter.
        return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton;
    default:
        return false;
    }
}

} // namespace kvz::desktop
