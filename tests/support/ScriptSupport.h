// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "script/ScriptRunner.h"
#include "support/TestSupport.h"

#include <string>
#include <vector>

namespace kvz::test {

// A program folder in a fresh temporary folder: Baza.mdb made from a fixture (none for a
// null fixture) and, when asked, the two sound files (empty: the driver only records what
// is played).
class ProgramFolder {
  public:
    explicit ProgramFolder(const Json& fixture = sampleFixture(), bool withSounds = true);

    std::string path() const { return dir_.path().string(); }
    std::string file(const std::string& name) const { return dir_.file(name); }

    // Runs a script in-process and returns its dumps; the test fails when the script
    // does not run to its end.
    std::vector<Json> run(const std::string& script) const;
    // The same, with the exit status and error of a script that did not run.
    script::ScriptResult runRaw(const std::string& script) const;

    // The whole database as it stands now, in the fixture format.
    Json exportDatabase() const;

  private:
    TempDir dir_;
};

// Twelve games on the sample bank (A is right at every level) that write at nearly every
// step: game g answers g % 5 questions right, calls the friend, asks the audience and walks
// away, so each raises Start, Tac or Netac, PTac or PNetac and may store a result.
inline constexpr int kWritingGames = 12;
std::string writingGames();

// The bytes of a fresh database made from the sample fixture.
std::string freshDatabase();

// Every state the database passes through while `script` runs to its end on a program
// folder holding `fresh`, in order, the first one before the script.
std::vector<Json> statesOf(const std::string& script, const std::string& fresh);

// The dumps a run of the driver printed, one JSON line each.
std::vector<Json> dumpsPrinted(const std::string& output);

// The dump made by `dump LABEL`; the test fails when there is none.
Json dumpLabelled(const std::vector<Json>& dumps, const std::string& label);

// A control of a dump by its name, "lblKviz(2)".
const Json& control(const Json& dump, const std::string& key);

// Every message the dumps report, in order.
std::vector<Json> messagesIn(const std::vector<Json>& dumps);

// Whether a control of a dump is visible, and its caption.
bool visible(const Json& dump, const std::string& key);
std::string caption(const Json& dump, const std::string& key);

// The events of a dump of one kind ("beep", "sound", "message", "end", "ignored").
std::vector<Json> eventsOf(const Json& dump, const std::string& kind);

// The captions of the controls named, in their order: compared in one go with a list of
// the texts expected.
using Captions = std::vector<std::string>;
Captions captions(const Json& dump, const std::vector<std::string>& keys);
// Whether each control named is visible, in their order.
std::vector<bool> visibility(const Json& dump, const std::vector<std::string>& keys);

} // namespace kvz::test
