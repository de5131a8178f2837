// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/Database.h"

#include <exception>
#include <string>

namespace kvz {

class Form1;

// The messages of our own (not the game's) are Serbian in Cyrillic; the desktop program
// shows them in Latin letters when the player chose those.

// A database failure the player meets: a critical message saying what is wrong and what to
// do, then the end of the program with a failure status. Nothing is written to the file.
void reportDatabaseError(Form1& form, const DbError& error);

// Any failure that escapes the game's handlers ends the program the same way: database
// failures with their own message, anything else with its text.
void reportFailure(Form1& form, const std::exception& error);

} // namespace kvz
