// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Fonts.h"
#include "Pictures.h"
#include "WindowFit.h"
#include "core/Control.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <vector>

class QPainter;

namespace kvz {
class Form1;
}

namespace kvz::desktop {

QColor toQColor(Colour colour);

// The control's rectangle in the window, in twips: a frame's children are placed inside it.
QRectF windowRect(const Control& control);

// The topmost shown control under a point of the window (twips), looking inside frames;
// the form itself when there is none. Shapes take no mouse input, and the name box is a
// real widget that receives its own.
Control& controlAt(Form1& form, QPointF twips);

// The font a label's caption `text` is drawn in (in twips): its own, or smaller when the
// wrapped lines would not fit the label otherwise. Never below a third of its own size.
QFont captionFont(const Control& control, const QString& text, const QRectF& rect);

// Whether a shown control in front of `control` overlaps it (the help panel over the name
// box, say): a real widget standing for it must then give way to the painting.
bool coveredFromAbove(Form1& form, const Control& control);

// Paints the whole window model: the background, then every shown control back to front.
class FormPainter {
  public:
    // `painter` works in twips; `area` is the part of the window to cover.
    void paint(QPainter& painter, Form1& form, const QRectF& area);
    // Paints a window of `window` pixels with the game drawn as `view` says.
    void paintView(QPainter& painter, Form1& form, const View& view, const QRect& window);

    Script script() const { return script_; }
    void setScript(Script script) { script_ = script; }
    Pictures& pictures() { return pictures_; }

  private:
    void preparePictures(const QPainter& painter, const std::vector<Control*>& all,
                         const Control* parent);
    void paintLayer(QPainter& painter, Form1& form, const Control* parent);
    void paintControl(QPainter& painter, const Control& control, const QRectF& rect);
    void paintFrame(QPainter& painter, const Control& frame, const QRectF& rect) const;
    void paintTextBox(QPainter& painter, const Control& box, const QRectF& rect) const;
    void paintFrameCaption(QPainter& painter, const Control& frame, const QRectF& rect) const;

    void paintCaption(QPainter& painter, const Control& c, const QRectF& rect, Qt::Alignment along,
                      bool startCovered) const;
    void paintLines(QPainter& painter, const Control& c, const QRectF& rect) const;

    Pictures pictures_;
    Script script_ = Script::Cyrillic;
    bool chartPainted_ = false; // the audience chart's panel is under this frame's painting
    Form1* form_ = nullptr;     // the window being painted
};

} // namespace kvz::desktop
