// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Services.h"

#include <cstdio>

namespace kvz {

std::string Date::iso() const {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year, month, day);
    return buf;
}

} // namespace kvz
