// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFit.h"

#include <algorithm>

namespace kvz::desktop {

namespace {

// A window this many times the design size, or more, shows the game drawn larger.
constexpr double kPresenterFrom = 1.5;
// Below this share of its design size the game's smallest texts could not be read.
constexpr double kSmallestShare = 0.6;

} // namespace

View viewFor(QSize window, QSize design, bool filling) {
    if (design.isEmpty() || window.isEmpty()) return {1, {}, window};
    const double fit = std::min(static_cast<double>(window.width()) / design.width(),
                                static_cast<double>(window.height()) / design.height());
    if (!filling && fit >= 1 && fit < kPresenterFrom) return {1, {}, window};
    const QPointF offset((window.width() - design.width() * fit) / 2,
                         (window.height() - design.height() * fit) / 2);
    return {fit, offset, design};
}

QRect placeWindow(QSize inner, QMargins frame, QRect available) {
    const QSize framed = inner.grownBy(frame).boundedTo(available.size());
    const QPoint corner = available.topLeft() + QPoint((available.width() - framed.width()) / 2,
                                                       (available.height() - framed.height()) / 2);
    return QRect(corner, framed).marginsRemoved(frame);
}

QSize smallestWindow(QSize design) {
    return (QSizeF(design) * kSmallestShare).toSize();
}

} // namespace kvz::desktop
