// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/Database.h"

#include <array>
#include <string_view>

namespace kvz {

// The fields of the one settings row, in table order.
inline constexpr std::array<std::string_view, 15> kStatFields = {
    "Slova", "Start", "Tac",    "Netac", "PTac",   "PNetac", "Reklama", "Ime",
    "Datum", "Firma", "Mjesto", "Mail",  "Adresa", "TelFax", "Moto"};

// The question columns after the row number (position 0), in table order: positions 1..5
// hold the question and the answers A, B, V, G.
inline constexpr std::array<std::string_view, 8> kQuestionFields = {
    "Pitanje", "A", "B", "V", "G", "RB", "Tac", "Odred"};

inline constexpr std::array<std::string_view, 4> kResultFields = {"Ime", "RB", "Skor", "Datum"};

// Creates the tables of an empty database; tbSar only when asked for, since its absence
// is meaningful (no collaborators).
void createSchema(const Connection& conn, bool withCollaborators);

} // namespace kvz
