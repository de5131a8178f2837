// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Fixture.h"

namespace kvz {
class Form1;
}

namespace kvz::script {

// The window as JSON: every control (the window itself as "Form1"), keyed by name.
Json dumpControls(Form1& form);

// The six timers: {"Timer1": {"enabled": true, "interval": 200}, ...}.
Json dumpTimers(Form1& form);

// Every game-state field of the window by its name; truth values as true/false.
Json dumpFields(const Form1& form);

} // namespace kvz::script
