// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Control.h"

namespace kvz {

std::string Control::key() const {
    return index < 0 ? name : name + "(" + std::to_string(index) + ")";
}

bool Control::shown() const {
    for (const Control* c = this; c != nullptr; c = c->parent)
        if (!c->visible) return false;
    return true;
}

} // namespace kvz
