// SPDX-License-Identifier: GPL-3.0-or-later
// The announcements a listening player hears: the texts on screen, in reading order.
#include "app/Spoken.h"

#include "app/Form1.h"
#include "text/Trim.h"

namespace kvz {

void say(Form1& form, const std::string& text, SayPriority priority) {
    const std::string_view said = trimmed(text, " ");
    if (!said.empty()) form.platform().say(std::string(said), priority);
}

std::string answerLine(const Form1& form, int k) {
    return form.Label5[k - 1].caption + ": " + form.lblKviz[k].caption;
}

void sayQuestion(Form1& form) {
    say(form, form.lblKviz[0].caption, SayPriority::Assertive);
    for (int k = 1; k <= 4; ++k)
        if (form.lblKviz[k].visible) say(form, answerLine(form, k));
}

} // namespace kvz
