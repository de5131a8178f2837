// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvz {

// A colour as the window stores it: &H00BBGGRR.
using Colour = std::uint32_t;

constexpr Colour rgb(int r, int g, int b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

enum class ControlKind { Form, Label, Image, Frame, Shape, TextBox, PictureBox };

enum class Align { Left, Centre, Right };

// One line the help panel has drawn: text, position in twips inside the panel, font.
struct DrawnLine {
    std::string text;
    int x = 0;
    int y = 0;
    std::string font;
    double size = 0;
    bool bold = false;
};

// A control of the window with the properties the game uses. Positions are twips,
// relative to the parent frame when there is one.
struct Control {
    std::string name; // the control's name, "lblKviz"
    int index = -1;   // the element of a control array, -1 for a single control
    ControlKind kind = ControlKind::Label;
    std::string caption; // caption, or the text of the name box
    bool visible = true;
    Colour back = 0;
    Colour fore = 0xFFFFFF;
    bool transparent = false; // back style transparent: only the text is drawn
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string font = "Cir Arial";
    double size = 12;
    bool bold = false;
    Align align = Align::Centre;
    std::string tooltip;
    Control* parent = nullptr;    // the frame holding it
    int z = 0;                    // higher is nearer the front
    std::string picture;          // the picture shown by an image, by asset name; "" for none
    bool handCursor = false;      // the custom cursor of clickable labels and pictures
    int maxLength = 0;            // name box: the longest text it takes, 0 for no limit
    std::vector<DrawnLine> lines; // what the help panel has drawn

    // "lblKviz(1)" or "lblStart".
    std::string key() const;

    // Shown on screen: itself and every frame holding it visible.
    bool shown() const;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
};

} // namespace kvz
