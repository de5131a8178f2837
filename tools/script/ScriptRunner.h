// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Fixture.h"
#include "core/Services.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kvz {
class Form1;
}

namespace kvz::script {

// Exit statuses of a run.
inline constexpr int kRanToEnd = 0;  // also when the program ended itself on the way
inline constexpr int kCannotRun = 1; // the program folder is missing
inline constexpr int kMalformed = 2; // the script is malformed; nothing was run

struct ScriptResult {
    int status = kRanToEnd;
    std::string error;       // why the script did not run, "line 3: unknown command ..."
    std::vector<Json> dumps; // every dump, unless they went to a sink
};

using DumpSink = std::function<void(const Json&)>;
// Sees the window itself at every dump (the screenshot tool paints it).
using WindowSink = std::function<void(Form1&, const Json&)>;

// Runs a script against the program folder `folder` with the game's real core under a
// virtual clock. The whole script is checked before anything runs. Each dump goes to
// `sink` as it is made, or into the result when there is no sink. With
// DatabaseMode::Scratch the game plays on a copy of Baza.mdb in memory.
ScriptResult runScript(std::string_view script, const std::string& folder,
                       const DumpSink& sink = {}, const WindowSink& window = {},
                       DatabaseMode database = DatabaseMode::Direct);

// A dump as one line of JSON; texts that are not valid UTF-8 are printed with
// replacement characters.
std::string dumpLine(const Json& dump);

} // namespace kvz::script
