#include "FormWidget.h"

#include "Fonts.h"
#include "KeyCodes.h"
#include "Pictures.h"
#include "app/Form1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>

namespace kvz::desktop {

namespace {

int toPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

QRect pixelRect(const QRectF& twips) {
    return QRect(toPixels(twips.left()), toPixels(twips.top()), toPixels(twips.width()),
                 toPixels(twips.height()));
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
        form_.platform().messageBox(e.what(), "Kvizomat", MessageIcon::Critical);
        form_.ended = true;
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
    const QSize wanted(toPixels(form_.Form.width), toPixels(form_.Form.height));
    if (wanted == appliedSize_ || wanted.isEmpty()) return;
    appliedSize_ = wanted;
    resize(wanted);
}

void FormWidget::syncNameBox() {
    const Control& box = form_.Text1;
    nameBox_->setGeometry(pixelRect(windowRect(box)));
    nameBox_->setFont(fontFor(box.font, box.size, box.bold, 96.0 / 72.0));
    QPalette colours = nameBox_->palette();
    colours.setColor(QPalette::Base, toQColor(box.back));
    colours.setColor(QPalette::Text, toQColor(box.fore));
    nameBox_->setPalette(colours);
    nameBox_->setToolTip(QString::fromStdString(box.tooltip));
    const QString text = shownText(box.font, box.caption);
    if (nameBox_->text() != text) nameBox_->setText(text); // leaves the caret at the end
    nameBox_->setVisible(box.shown());

    const bool focused = form_.focus == &box && box.shown();
    if (focused && !nameBox_->hasFocus())
        nameBox_->setFocus(Qt::OtherFocusReason);
    else if (!focused && nameBox_->hasFocus())
        setFocus(Qt::OtherFocusReason);
}

Control& FormWidget::controlUnder(const QPointF& pixels) {
    return controlAt(form_, pixels * kTwipsPerPixel);
}

void FormWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.scale(1 / kTwipsPerPixel, 1 / kTwipsPerPixel);
    painter_.paint(painter, form_,
                   QRectF(0, 0, width() * kTwipsPerPixel, height() * kTwipsPerPixel));
}

void FormWidget::resizeEvent(QResizeEvent*) {
    if (size() == appliedSize_) return;
    appliedSize_ = size();
    const int w = static_cast<int>(width() * kTwipsPerPixel);
    const int h = static_cast<int>(height() * kTwipsPerPixel);
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
