// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Form1.h"

#include <algorithm>

namespace kvz {

Form1::Form1(Platform& platform, Generator& rnd) : platform_(platform), rnd_(rnd) {
    applyDesign();
}

Form1::~Form1() = default;

std::vector<Control*> Form1::controls() {
    std::vector<Control*> out = all_;
    std::stable_sort(out.begin(), out.end(),
                     [](const Control* a, const Control* b) { return a->z < b->z; });
    return out;
}

Control* Form1::find(const std::string& key) {
    if (key == "Form1") return &Form;
    for (Control* c : all_)
        if (c->key() == key) return c;
    return nullptr;
}

void Form1::bringToFront(Control& c) {
    c.z = ++topZ_;
}

std::string Form1::programFile(const std::string& name) {
    std::string folder = platform_.programFolder();
    return folder + "/" + name;
}

} // namespace kvz
