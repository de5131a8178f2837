// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyCodes.h"

#include "text/DisplayCode.h"

#include <QKeyEvent>
#include <map>

namespace kvz::desktop {

namespace {

const std::map<int, int>& namedKeys() {
    static const std::map<int, int> keys = {
        {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},      {Qt::Key_Return, 13},   {Qt::Key_Enter, 13},
        {Qt::Key_Shift, 16},    {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},      {Qt::Key_Escape, 27},
        {Qt::Key_Space, 32},    {Qt::Key_PageUp, 33},  {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},
        {Qt::Key_Home, 36},     {Qt::Key_Left, 37},    {Qt::Key_Up, 38},       {Qt::Key_Right, 39},
        {Qt::Key_Down, 40},     {Qt::Key_Insert, 45},  {Qt::Key_Delete, 46},   {Qt::Key_Comma, 188},
        {Qt::Key_Minus, 189},   {Qt::Key_Period, 190},
    };
    return keys;
}

// X keyboard codes (evdev + 8) of the main digit row and the letter keys, by the Latin
// letter printed on them. Used when a key reports neither a Latin letter nor a digit, as
// Shift+1 ("!") or any letter on a Cyrillic layout do, so the key still acts by its place.
const std::map<quint32, int>& keysByPlace() {
    static const std::map<quint32, int> keys = [] {
        std::map<quint32, int> m;
        const char* digits = "1234567890";
        for (quint32 i = 0; i < 10; ++i) m[10 + i] = digits[i];
        const char* rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
        const quint32 starts[] = {24, 38, 52};
        for (int r = 0; r < 3; ++r)
            for (quint32 i = 0; rows[r][i] != '\0'; ++i) m[starts[r] + i] = rows[r][i];
        return m;
    }();
    return keys;
}

} // namespace

std::optional<int> virtualKeyCode(const QKeyEvent& event) {
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return (event.modifiers() & Qt::KeypadModifier) ? key - Qt::Key_0 + 96 : key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return key - Qt::Key_F1 + 112;
    auto named = namedKeys().find(key);
    if (named != namedKeys().end()) return named->second;
    auto placed = keysByPlace().find(event.nativeScanCode());
    if (placed != keysByPlace().end()) return placed->second;
    return std::nullopt;
}

int shiftState(const QKeyEvent& event) {
    const Qt::KeyboardModifiers m = event.modifiers();
    return ((m & Qt::ShiftModifier) ? 1 : 0) | ((m & Qt::ControlModifier) ? 2 : 0) |
           ((m & Qt::AltModifier) ? 4 : 0);
}

std::vector<int> typedCodes(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) return {};
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return {13};
    case Qt::Key_Backspace:
        return {8};
    case Qt::Key_Escape:
        return {27};
    default:
        break;
    }
    return typedText(event.text());
}

std::vector<int> typedText(const QString& text) {
    std::vector<int> codes;
    for (char32_t c : text.toStdU32String()) {
        // A character the display code cannot hold goes on as it is, for the name box to
        // refuse with its beep.
        const std::optional<char> code = typedDisplayCode(c);
        codes.push_back(code ? static_cast<unsigned char>(*code) : static_cast<int>(c));
    }
    return codes;
}

} // namespace kvz::desktop
