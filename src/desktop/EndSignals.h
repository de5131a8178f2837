// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace kvz::desktop {

// When the system asks the program to end (SIGTERM, as a desktop session does on its way
// out; SIGHUP and SIGINT from a terminal), `window` is closed from Qt's event loop as the
// player would close it: the game's end runs, and the writes under way are waited for.
void closeOnEndSignals(QWidget& window);

// Takes the signals over before there is a window: one that comes meanwhile closes the
// window as soon as its event loop runs. closeOnEndSignals calls it when no one has.
void catchEndSignals();

} // namespace kvz::desktop
