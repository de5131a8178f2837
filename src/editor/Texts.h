// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/DisplayCode.h"

#include <QString>
#include <string>

namespace kvz::editor {

// Our own texts are written in Cyrillic; the Latin choice reads them in Latin letters.
inline QString say(const std::string& cyrillic, bool latin) {
    return QString::fromStdString(latin ? cyrillicToLatin(cyrillic) : cyrillic);
}

} // namespace kvz::editor
