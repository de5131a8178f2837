// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/DisplayCode.h"

#include <QFont>
#include <QString>
#include <string>

namespace kvz::desktop {

// Makes the game's text use only the fonts it carries, whatever the system has installed:
// call before the application object exists. Returns false when the system's font
// configuration stays in use.
bool useOnlyBundledFonts();

// Loads the fonts compiled into the program's resources. Returns false when one is missing
// (the text then falls back to whatever the system offers).
bool registerBundledFonts();

// The game's display font: its texts are display code.
inline constexpr const char* kDisplayFont = "Cir Arial";

// Twips per logical pixel, and per typographic point.
inline constexpr double kTwipsPerPixel = 15;
inline constexpr double kTwipsPerPoint = 20;

// The bundled face that stands in for a font name of the game, at the game's point size.
// `pixelsPerPoint` is the size of one point on the device the text is drawn on, so the
// same call serves a painter working in twips (20) and a widget in pixels (96 / 72).
QFont fontFor(const std::string& fontName, double points, bool bold, double pixelsPerPoint);

// The letters the display code is shown in, the player's choice.
using kvz::Script;

// What a text shows in a font: the display font turns the display code into the script's
// letters, every other font shows the characters as they are.
QString shownText(const std::string& fontName, const std::string& text,
                  Script script = Script::Cyrillic);

} // namespace kvz::desktop
