#pragma once

#include "data/Database.h"

namespace kvz {

class Form1;

// A database failure the player meets: a critical message saying what is wrong and what to
// do, then the end of the program. Nothing is written to the file. Message boxes draw
// their text in a Latin font, so it is plain ASCII without the display code's letters.
void reportDatabaseError(Form1& form, const DbError& error);

} // namespace kvz
