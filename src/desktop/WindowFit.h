// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QPointF>
#include <QRect>
#include <QSize>

namespace kvz::desktop {

// How the game is drawn in a window: at `scale` window pixels per game pixel, its top left
// corner at `offset`, laid out for `layout` game pixels.
struct View {
    double scale = 1;
    QPointF offset;
    QSize layout;
};

// The view of a game designed for `design` pixels in a window of `window` pixels. A window
// at least as large as the design, but less than one and a half times, lays the game out
// on its own size. Otherwise the game keeps its design and is drawn uniformly larger or
// smaller to fill the window, centred: on a smaller window nothing is cut off, and in full
// screen, maximised (`filling`) or on a projector it fills the screen.
View viewFor(QSize window, QSize design, bool filling);

// Where a window whose inside wants `inner` pixels opens: centred in the screen's
// `available` area with its `frame` (title bar and borders) inside it too, and made smaller
// when it would not fit. Returns the geometry of the inside.
QRect placeWindow(QSize inner, QMargins frame, QRect available);

// The smallest inside a game of `design` pixels may be given: smaller, it could not be read.
QSize smallestWindow(QSize design);

} // namespace kvz::desktop
