#include "FormPainter.h"

#include "Fonts.h"
#include "app/Form1.h"
#include "ui/Layout.h"

#include <QFontMetricsF>
#include <QPainter>

namespace kvz::desktop {

namespace {

// A frame's caption stands at its top left, a little in from the edge.
constexpr double kFrameCaptionInset = 120;

// The controls whose container is `parent` (nullptr: the window), back to front.
std::vector<Control*> layerOf(const std::vector<Control*>& all, const Control* parent) {
    std::vector<Control*> layer;
    for (Control* c : all)
        if (c->parent == parent && c->kind != ControlKind::Form) layer.push_back(c);
    return layer;
}

bool takesMouse(const Control& c) {
    return c.kind != ControlKind::Shape && c.kind != ControlKind::TextBox;
}

Control* hit(const std::vector<Control*>& all, const Control* parent, QPointF p) {
    std::vector<Control*> layer = layerOf(all, parent);
    for (auto it = layer.rbegin(); it != layer.rend(); ++it) {
        Control* c = *it;
        if (!c->visible || !windowRect(*c).contains(p)) continue;
        if (c->kind == ControlKind::Frame) {
            if (Control* inside = hit(all, c, p)) return inside;
        }
        if (takesMouse(*c)) return c;
    }
    return nullptr;
}

Qt::Alignment horizontal(Align align) {
    switch (align) {
    case Align::Left:
        return Qt::AlignLeft;
    case Align::Right:
        return Qt::AlignRight;
    case Align::Centre:
        break;
    }
    return Qt::AlignHCenter;
}

QFont twipsFont(const std::string& name, double size, bool bold) {
    return fontFor(name, size, bold, kTwipsPerPoint);
}

void paintBackground(QPainter& painter, Form1& form, const QRectF& area) {
    painter.fillRect(area, toQColor(form.Form.back));
    for (const Band& band : backgroundBands(form.Form.width, form.Form.height, form.LayoutGap))
        painter.fillRect(QRectF(0, band.top, band.right, band.bottom - band.top),
                         toQColor(band.colour));
}

constexpr int kCaptionFlags = Qt::AlignTop | Qt::TextWordWrap;

} // namespace

QColor toQColor(Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

QRectF windowRect(const Control& control) {
    QRectF rect(control.left, control.top, control.width, control.height);
    for (const Control* p = control.parent; p != nullptr; p = p->parent)
        rect.translate(p->left, p->top);
    return rect;
}

QFont captionFont(const Control& c, const QString& text, const QRectF& rect) {
    constexpr double kSmallestShare = 1.0 / 3, kShrinkStep = 0.9;
    QFont font = twipsFont(c.font, c.size, c.bold);
    for (double size = c.size * kShrinkStep; size >= c.size * kSmallestShare; size *= kShrinkStep) {
        const QRectF needed = QFontMetricsF(font).boundingRect(rect, kCaptionFlags, text);
        if (needed.width() <= rect.width() + 1 && needed.height() <= rect.height() + 1) break;
        font = twipsFont(c.font, size, c.bold);
    }
    return font;
}

Control& controlAt(Form1& form, QPointF twips) {
    Control* c = hit(form.controls(), nullptr, twips);
    return c != nullptr ? *c : form.Form;
}

void FormPainter::paint(QPainter& painter, Form1& form, const QRectF& area) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
    preparePictures(painter, form.controls(), nullptr);
    paintBackground(painter, form, area);
    paintLayer(painter, form.controls(), nullptr);
}

// The pictures render in the background while the rest is painted (Pictures).
void FormPainter::preparePictures(const QPainter& painter, const std::vector<Control*>& all,
                                  const Control* parent) {
    for (Control* c : layerOf(all, parent)) {
        if (!c->visible) continue;
        if (c->kind == ControlKind::Image || c->kind == ControlKind::PictureBox)
            pictures_.prepare(painter, windowRect(*c), c->picture, script_);
        if (c->kind == ControlKind::Frame) preparePictures(painter, all, c);
    }
}

void FormPainter::paintLayer(QPainter& painter, const std::vector<Control*>& all,
                             const Control* parent) {
    for (Control* c : layerOf(all, parent)) {
        if (!c->visible) continue;
        const QRectF rect = windowRect(*c);
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
        paintControl(painter, *c, rect);
        if (c->kind == ControlKind::Frame) paintLayer(painter, all, c);
        painter.restore();
    }
}

void FormPainter::paintCaption(QPainter& painter, const Control& c, const QRectF& rect,
                               Qt::Alignment along) const {
    if (c.caption.empty()) return;
    const QString text = shownText(c.font, c.caption, script_);
    painter.setFont(captionFont(c, text, rect));
    painter.setPen(toQColor(c.fore));
    painter.drawText(rect, static_cast<int>(along) | kCaptionFlags, text);
}

void FormPainter::paintLines(QPainter& painter, const Control& c, const QRectF& rect) const {
    painter.setPen(toQColor(c.fore));
    for (const DrawnLine& line : c.lines) {
        painter.setFont(twipsFont(line.font, line.size, line.bold));
        const QPointF at = rect.topLeft() + QPointF(line.x, line.y);
        painter.drawText(QRectF(at, rect.bottomRight()), Qt::AlignLeft | Qt::AlignTop,
                         shownText(line.font, line.text, script_));
    }
}

void FormPainter::paintControl(QPainter& painter, const Control& c, const QRectF& rect) {
    switch (c.kind) {
    case ControlKind::Label:
        if (!c.transparent) painter.fillRect(rect, toQColor(c.back));
        paintCaption(painter, c, rect, horizontal(c.align));
        break;
    case ControlKind::Image:
        pictures_.draw(painter, rect, c.picture, script_);
        break;
    case ControlKind::Shape:
        painter.fillRect(rect, toQColor(c.back));
        break;
    case ControlKind::Frame:
        if (!c.transparent) painter.fillRect(rect, toQColor(c.back));
        paintCaption(painter, c, rect.adjusted(kFrameCaptionInset, 0, 0, 0), Qt::AlignLeft);
        break;
    case ControlKind::PictureBox:
        painter.fillRect(rect, toQColor(c.back));
        pictures_.draw(painter, rect, c.picture, script_);
        paintLines(painter, c, rect);
        break;
    case ControlKind::TextBox: // a real line edit over the painting
    case ControlKind::Form:
        break;
    }
}

} // namespace kvz::desktop
