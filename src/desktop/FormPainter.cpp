// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormPainter.h"

#include "Fonts.h"
#include "app/Form1.h"
#include "ui/Layout.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <algorithm>

namespace kvz::desktop {

namespace {

// A frame's caption stands at its top left, a little in from the edge.
constexpr double kFrameCaptionInset = 120;
// The studio look, in twips: rims, the gaps between ladder rows, corners, margins.
constexpr double kRim = 22;
constexpr double kRungGap = 12;
constexpr double kMargin = 90;
const QColor kGoldRim(230, 180, 40);

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

// The bands reach across the whole window, so a game drawn smaller or larger than the
// window sits in one background from edge to edge.
void paintBackground(QPainter& painter, Form1& form, const QRectF& area) {
    painter.fillRect(area, toQColor(form.Form.back));
    for (const Band& band : backgroundBands(form.Form.width, form.Form.height, form.LayoutGap)) {
        const double right = std::max<double>(band.right, area.right());
        painter.fillRect(QRectF(area.left(), band.top, right - area.left(), band.bottom - band.top),
                         toQColor(band.colour));
    }
}

bool named(const Control& c, const char* name) {
    return c.name == name;
}

// How a label is drawn. The colours, the place and the caption are always the model's.
enum class Look {
    Flat,   // a filled rectangle
    Panel,  // the question and the answers: a lozenge with a gradient and a gold rim
    Rung,   // a row of the prize ladder, its two halves one bar with a gap to the next row
    Letter, // an answer's letter in a gold-rimmed disc
    Badge,  // a button or a verdict: rounded, with a gold rim
};

Look lookOf(const Control& c) {
    if (named(c, "lblKviz")) return Look::Panel;
    if ((named(c, "Label3") && c.index >= 1) || named(c, "lblCIFRA")) return Look::Rung;
    if (named(c, "Label5")) return Look::Letter;
    if (named(c, "lblDANE") || named(c, "lblVoditelj") || named(c, "lblZamjena") ||
        named(c, "lblStart") || named(c, "lblIzlaz") || (named(c, "lblHvala") && c.index == 0))
        return Look::Badge;
    return Look::Flat;
}

// The left half of a rung is rounded on its left, the right half on its right: the bar
// reaches past its inner side, where the control's clip squares it off.
QPainterPath rungPath(const Control& c, const QRectF& rect) {
    const QRectF bar = rect.adjusted(0, kRungGap / 2, 0, -kRungGap / 2);
    const double r = bar.height() / 3;
    QPainterPath path;
    path.addRoundedRect(named(c, "Label3") ? bar.adjusted(0, 0, r, 0) : bar.adjusted(-r, 0, 0, 0),
                        r, r);
    return path;
}

QPainterPath lookPath(Look look, const Control& c, const QRectF& rect) {
    QPainterPath path;
    switch (look) {
    case Look::Panel: {
        const QRectF r = rect.adjusted(kRim, kRim, -kRim, -kRim);
        const double radius = std::min(r.height() / 2, 300.0);
        path.addRoundedRect(r, radius, radius);
        break;
    }
    case Look::Rung:
        return rungPath(c, rect);
    case Look::Letter: {
        const double side = std::min(rect.width(), rect.height()) - kRim;
        path.addEllipse(rect.center(), side / 2, side / 2);
        break;
    }
    case Look::Badge: {
        const QRectF r = rect.adjusted(kRim / 2, kRim / 2, -kRim / 2, -kRim / 2);
        const double radius = std::min(r.height() / 2, 150.0);
        path.addRoundedRect(r, radius, radius);
        break;
    }
    case Look::Flat:
        path.addRect(rect);
        break;
    }
    return path;
}

// A soft light from above: lighter at the top, the model's colour in the middle, deeper at
// the bottom.
QBrush studioBrush(const QColor& colour, const QRectF& rect) {
    QLinearGradient g(rect.topLeft(), rect.bottomLeft());
    g.setColorAt(0, colour.lighter(150));
    g.setColorAt(0.45, colour);
    g.setColorAt(1, colour.darker(160));
    return g;
}

void paintLook(QPainter& painter, Look look, const Control& c, const QRectF& rect) {
    const QColor colour = toQColor(c.back);
    if (look == Look::Flat) {
        painter.fillRect(rect, colour);
        return;
    }
    const QPainterPath path = lookPath(look, c, rect);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(look == Look::Rung ? Qt::NoPen : QPen(kGoldRim, kRim));
    painter.setBrush(look == Look::Rung ? QBrush(colour) : studioBrush(colour, rect));
    painter.drawPath(path);
    painter.restore();
}

// The audience chart's controls: while any of them shows, they stand on a panel of their
// own, so the chart reads as one graphic and not as bars over the host's picture.
bool isChartPart(const Control& c) {
    return named(c, "shpPub") || named(c, "lblProc") || named(c, "lblHvala");
}

QRectF chartArea(Form1& form) {
    QRectF area;
    for (const Control* c : form.controls())
        if (isChartPart(*c)) area = area.united(windowRect(*c));
    // The bars, whatever their height now, stand on the chart's whole height.
    const QRectF bars(form.shpPub[0].left, form.ChartTop,
                      form.shpPub[3].right() - form.shpPub[0].left, form.ChartHeight);
    return area.united(bars).adjusted(-kMargin / 2, -kMargin / 2, kMargin / 2, kMargin / 2);
}

void paintChartBackdrop(QPainter& painter, Form1& form) {
    const QRectF area = chartArea(form);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    g.setColorAt(0, QColor(10, 24, 92));
    g.setColorAt(1, QColor(2, 8, 40));
    painter.setBrush(g);
    painter.setPen(QPen(kGoldRim, kRim));
    painter.drawRoundedRect(area.adjusted(kRim / 2, kRim / 2, -kRim / 2, -kRim / 2), 120, 120);
    painter.restore();
}

// A panel or picture that would cover only the top of a shown label behind it (the footer
// lines under the statistics and the sponsor's picture) ends where that label begins.
QRectF clearOfLabelsBelow(Form1& form, const Control& control, QRectF rect) {
    for (const Control* c : form.controls()) {
        if (c->z >= control.z || c->kind != ControlKind::Label || !c->shown() || c->caption.empty())
            continue;
        const QRectF label = windowRect(*c);
        const bool acrossIt = label.left() < rect.right() && label.right() > rect.left();
        if (acrossIt && label.top() > rect.center().y() && label.top() < rect.bottom() &&
            label.bottom() > rect.bottom())
            rect.setBottom(label.top());
    }
    return rect;
}

// Text that a label may wrap over several lines, or not: a label too low for two lines
// of its font keeps its caption on one (a typed motto grows along its line, and a name
// is never broken).
bool singleLine(const Control& c, const QRectF& rect) {
    constexpr double kLineSpacing = 1.15; // of the bundled faces, to their point size
    return rect.height() < 2 * kLineSpacing * c.size * kTwipsPerPoint;
}

int captionFlags(const Control& c, const QRectF& rect) {
    return Qt::AlignVCenter | (singleLine(c, rect) ? 0 : Qt::TextWordWrap);
}

// Where the caption of a label of this look is written: inside its rim.
QRectF textArea(Look look, const QRectF& rect) {
    switch (look) {
    case Look::Panel:
        return rect.adjusted(kMargin + kRim, kRim, -kMargin - kRim, -kRim);
    case Look::Rung: // only on the outer side: the numbers are narrow
        return rect.adjusted(kMargin / 3, 0, -kMargin / 3, 0);
    case Look::Letter:
    case Look::Badge:
    case Look::Flat:
        break;
    }
    return rect;
}

// The part of a label's width that no shown control in front of it covers at its ends
// (the help picture and the points total over "Broj bodova"): its caption is written
// there.
QRectF uncoveredSpan(Form1& form, const Control& label, const QRectF& rect) {
    double left = rect.left(), right = rect.right();
    for (const Control* c : form.controls()) {
        if (c->z <= label.z || !c->shown() || c->parent != label.parent) continue;
        const QRectF other = windowRect(*c);
        const QRectF common = other.intersected(rect);
        if (common.height() < rect.height() / 2 || common.width() >= rect.width() / 2) continue;
        if (other.center().x() < rect.center().x())
            left = std::max(left, other.right());
        else
            right = std::min(right, other.left());
    }
    return QRectF(left, rect.top(), std::max(0.0, right - left), rect.height());
}

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
    const int flags = captionFlags(c, rect);
    QFont font = twipsFont(c.font, c.size, c.bold);
    for (double size = c.size * kShrinkStep; size >= c.size * kSmallestShare; size *= kShrinkStep) {
        const QRectF needed = QFontMetricsF(font).boundingRect(rect, flags, text);
        if (needed.width() <= rect.width() + 1 && needed.height() <= rect.height() + 1) break;
        font = twipsFont(c.font, size, c.bold);
    }
    return font;
}

Control& controlAt(Form1& form, QPointF twips) {
    Control* c = hit(form.controls(), nullptr, twips);
    return c != nullptr ? *c : form.Form;
}

bool coveredFromAbove(Form1& form, const Control& control) {
    const QRectF rect = windowRect(control);
    for (const Control* c : form.controls())
        if (c->z > control.z && c->parent == nullptr && c->shown() &&
            windowRect(*c).intersects(rect))
            return true;
    return false;
}

void FormPainter::paint(QPainter& painter, Form1& form, const QRectF& area) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
    preparePictures(painter, form.controls(), nullptr);
    paintBackground(painter, form, area);
    chartPainted_ = false;
    paintLayer(painter, form, nullptr);
}

void FormPainter::paintView(QPainter& painter, Form1& form, const View& view, const QRect& window) {
    painter.translate(view.offset);
    painter.scale(view.scale / kTwipsPerPixel, view.scale / kTwipsPerPixel);
    // The whole window, in the game's twips: what the game leaves uncovered is background.
    paint(painter, form, painter.worldTransform().inverted().mapRect(QRectF(window)));
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

void FormPainter::paintLayer(QPainter& painter, Form1& form, const Control* parent) {
    form_ = &form;
    const std::vector<Control*>& all = form.controls();
    for (Control* c : layerOf(all, parent)) {
        if (!c->visible) continue;
        if (isChartPart(*c) && !chartPainted_) {
            paintChartBackdrop(painter, form);
            chartPainted_ = true;
        }
        const QRectF rect = windowRect(*c);
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
        if (c->kind == ControlKind::Frame) {
            paintFrame(painter, *c, rect);
            paintLayer(painter, form, c);
        } else {
            paintControl(painter, *c, rect);
        }
        painter.restore();
    }
}

void FormPainter::paintCaption(QPainter& painter, const Control& c, const QRectF& rect,
                               Qt::Alignment along, bool startCovered) const {
    // Blanks around a centred caption show nothing and would only make it smaller; blanks
    // that indent a caption are not wanted where something in front already covers its start.
    QString text = shownText(c.font, c.caption, script_);
    if (along == Qt::AlignHCenter)
        text = text.trimmed();
    else if (startCovered)
        text.remove(QRegularExpression(QStringLiteral("^ +")));
    if (text.isEmpty()) return;
    painter.setFont(captionFont(c, text, rect));
    painter.setPen(toQColor(c.fore));
    painter.drawText(rect, static_cast<int>(along) | captionFlags(c, rect), text);
}

void FormPainter::paintFrameCaption(QPainter& painter, const Control& frame,
                                    const QRectF& rect) const {
    if (frame.caption.empty()) return;
    painter.setFont(twipsFont(frame.font, frame.size, frame.bold));
    painter.setPen(toQColor(frame.fore));
    painter.drawText(rect.adjusted(kFrameCaptionInset, kRim, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     shownText(frame.font, frame.caption, script_));
}

// Lines are drawn where the panel's drawing put them, except that a line whose letters would
// touch those of a line drawn before it (the large web address under the small print of the
// note) is moved down just clear of them.
void FormPainter::paintLines(QPainter& painter, const Control& c, const QRectF& rect) const {
    painter.setPen(toQColor(c.fore));
    std::vector<QRectF> inked;
    for (const DrawnLine& line : c.lines) {
        const QFont font = twipsFont(line.font, line.size, line.bold);
        const QString text = shownText(line.font, line.text, script_);
        const QFontMetricsF metrics(font);
        QPointF at = rect.topLeft() + QPointF(line.x, line.y);
        QRectF ink = metrics.tightBoundingRect(text).translated(at + QPointF(0, metrics.ascent()));
        for (const QRectF& before : inked)
            if (ink.intersects(before)) {
                const double down = before.bottom() - ink.top() + kRim;
                at.ry() += down;
                ink.translate(0, down);
            }
        inked.push_back(ink);
        painter.setFont(font);
        painter.drawText(QRectF(at, rect.bottomRight()), Qt::AlignLeft | Qt::AlignTop, text);
    }
}

void FormPainter::paintFrame(QPainter& painter, const Control& frame, const QRectF& rect) const {
    if (!frame.transparent) {
        const QRectF panel = clearOfLabelsBelow(*form_, frame, rect);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(studioBrush(toQColor(frame.back), panel));
        painter.setPen(QPen(kGoldRim, kRim));
        painter.drawRoundedRect(panel.adjusted(kRim / 2, kRim / 2, -kRim / 2, -kRim / 2), 120, 120);
        painter.restore();
    }
    paintFrameCaption(painter, frame, rect);
}

void FormPainter::paintTextBox(QPainter& painter, const Control& box, const QRectF& rect) const {
    painter.fillRect(rect, toQColor(box.back));
    painter.setFont(twipsFont(box.font, box.size, box.bold));
    painter.setPen(toQColor(box.fore));
    painter.drawText(rect.adjusted(kMargin / 2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     shownText(box.font, box.caption, script_));
}

void FormPainter::paintControl(QPainter& painter, const Control& c, const QRectF& rect) {
    switch (c.kind) {
    case ControlKind::Label: {
        const Look look = lookOf(c);
        if (!c.transparent) paintLook(painter, look, c, rect);
        const QRectF area = textArea(look, rect);
        const QRectF free = uncoveredSpan(*form_, c, area);
        paintCaption(painter, c, free, horizontal(c.align), free.left() > area.left());
        break;
    }
    case ControlKind::Image:
        pictures_.draw(painter, clearOfLabelsBelow(*form_, c, rect), c.picture, script_);
        break;
    case ControlKind::Shape:
        painter.fillRect(rect, toQColor(c.back));
        break;
    case ControlKind::PictureBox:
        painter.fillRect(rect, toQColor(c.back));
        pictures_.draw(painter, rect, c.picture, script_);
        paintLines(painter, c, rect);
        break;
    case ControlKind::TextBox: // under the real line edit, and seen where it is covered
        paintTextBox(painter, c, rect);
        break;
    case ControlKind::Frame: // painted with its controls (paintFrame)
    case ControlKind::Form:
        break;
    }
}

} // namespace kvz::desktop
