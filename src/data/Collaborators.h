// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/Database.h"

#include <string>
#include <vector>

namespace kvz {

// The names of tbSar in table order, without those the game cannot show (not display text,
// or too long). The table is optional: when it is missing or cannot be read, the list is
// empty and no error escapes.
std::vector<std::string> readCollaborators(const Connection& conn) noexcept;

} // namespace kvz
