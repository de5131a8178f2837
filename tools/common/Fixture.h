// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/Database.h"

#include <nlohmann/json.hpp>
#include <string>

namespace kvz {

// A whole database as JSON: {"tbStat": {...}, "tbKviz": [...], "tbRezultati": [...],
// "tbSar": [...]}. Texts are display code as stored; any field may be null. Without the
// key "tbSar" the database has no table tbSar.
using Json = nlohmann::ordered_json;

// Writes a new password-protected database holding exactly the fixture's rows, replacing
// `path`. The new file is built beside it and moved into place only when complete.
// Throws std::runtime_error with the reason when the fixture is malformed.
void createDatabase(const std::string& path, const Json& fixture);

// Makes the tables in an empty database and fills them with the fixture's rows; throws
// std::runtime_error when the fixture is malformed.
void fillDatabase(const Connection& conn, const Json& fixture);

// Reads the whole database back in the fixture format, every table at one moment.
Json exportDatabase(const Connection& conn);

Json valueToJson(const Value& v);
Value jsonToValue(const Json& j);

} // namespace kvz
