// SPDX-License-Identifier: GPL-3.0-or-later
// How the window delivers mouse, keyboard, focus, size and timer events to the handlers.
#include "app/Form1.h"
#include "app/Messages.h"

#include <stdexcept>

namespace kvz {

namespace {

bool is(const Control& c, const char* name) {
    return c.name == name;
}

} // namespace

void Form1::guarded(const std::function<void()>& step) {
    try {
        step();
        if (Writes) Writes->check();
    } catch (const std::exception& e) {
        reportFailure(*this, e);
    } catch (...) {
        reportFailure(*this, std::runtime_error("непозната грешка"));
    }
    dropHiddenFocus();
}

bool Form1::click(Control& c) {
    if (ended || !c.shown()) return false;
    guarded([&] { routeClick(c); });
    return true;
}

void Form1::routeClick(Control& c) {
    int i = c.index;
    if (&c == &lblStart)
        lblStart_Click();
    else if (&c == &imgMilion)
        imgMilion_Click();
    else if (is(c, "lblNajava"))
        lblNajava_Click(i);
    else if (is(c, "lblKviz"))
        lblKviz_Click(i);
    else if (is(c, "lblDANE"))
        lblDANE_Click(i);
    else if (&c == &imgVoditelj)
        imgVoditelj_Click();
    else if (&c == &lblIzlaz)
        lblIzlaz_Click();
    else if (&c == &imgOUT)
        imgOUT_Click();
    else if (is(c, "Image2"))
        Image2_Click(i);
    else if (is(c, "lblHvala"))
        lblHvala_Click(i);
    else if (&c == &lblZamjena)
        lblZamjena_Click();
    else if (&c == &imgHelp)
        imgHelp_Click();
    else if (&c == &lblInfo)
        lblInfo_Click();
    else if (&c == &Text1)
        setFocus(&Text1);
}

bool Form1::dblClick(Control& c) {
    if (!click(c)) return false;
    secondClick(c);
    return true;
}

bool Form1::secondClick(Control& c) {
    // The second click of a double click belongs to the control the first one reached, even
    // when that click hid it (DA hides its own panel and the double click shows it again).
    if (ended) return false;
    guarded([&] {
        if (is(c, "lblDANE"))
            lblDANE_DblClick(c.index);
        else if (&c == &picHelp)
            picHelp_DblClick();
    });
    return true;
}

bool Form1::mouseMove(Control& c) {
    if (ended || !c.shown()) return false;
    guarded([&] {
        if (is(c, "lblKviz")) lblKviz_MouseMove(c.index);
    });
    return true;
}

void Form1::keyPress(int ascii) {
    if (ended || focus != &Text1) return;
    guarded([&] {
        Text1_KeyPress(ascii);
        if (ended) return;
        std::string& text = Text1.caption;
        if (ascii == 8) {
            if (!text.empty()) text.pop_back();
        } else if (ascii >= 32 && ascii < 127) {
            if (Text1.maxLength == 0 || static_cast<int>(text.size()) < Text1.maxLength)
                text += static_cast<char>(ascii);
        }
    });
}

void Form1::keyUp(int keyCode, int shift) {
    if (ended) return;
    guarded([&] {
        // With no control holding the focus the window itself receives the keys.
        if (keyPreview || focus == nullptr) Form_KeyUp(keyCode, shift);
        if (!ended && focus == &Text1) Text1_KeyUp(keyCode, shift);
    });
}

void Form1::setFocus(Control* c) {
    if (ended || c == focus) return;
    if (c != nullptr && (c->kind != ControlKind::TextBox || !c->shown())) return;
    Control* old = focus;
    focus = c;
    guarded([&] {
        if (old == &Text1) Text1_LostFocus();
        if (!ended && c == &Text1) Text1_GotFocus();
    });
}

void Form1::dropHiddenFocus() {
    if (focus != nullptr && !focus->shown()) setFocus(nullptr);
}

void Form1::resize(int width, int height) {
    if (ended) return;
    Form.width = width;
    Form.height = height;
    guarded([&] { Form_Resize(); });
}

void Form1::tick(Timer& t) {
    if (ended || !t.running()) return;
    guarded([&] {
        if (&t == &Timer1)
            Timer1_Timer();
        else if (&t == &Timer2)
            Timer2_Timer();
        else if (&t == &Timer3)
            Timer3_Timer();
        else if (&t == &Timer4)
            Timer4_Timer();
        else if (&t == &Timer5)
            Timer5_Timer();
        else if (&t == &timNajava)
            timNajava_Timer();
    });
}

} // namespace kvz
