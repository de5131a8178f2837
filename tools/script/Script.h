// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Services.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kvz::script {

enum class Op {
    Screen,
    Platform,
    Running,
    Latin,
    Date,
    Seed,
    Rnd,
    Start,
    Click,
    DblClick,
    Move,
    Key,
    Type,
    Focus,
    Blur,
    Wait,
    Tick,
    Resize,
    Dump,
};

// One command of a script, its arguments already checked and converted.
struct Command {
    Op op = Op::Dump;
    int line = 0;
    std::string source;          // the line as written, without surrounding blanks
    std::string word;            // control or timer name, typed text, dump label
    bool hasWord = false;        // dump: a label was given
    std::int64_t x = 0, y = 0;   // screen, resize: width and height; wait: ms; key: code
    bool flag = false;           // platform: nt
    double number = 0;           // seed
    std::vector<double> numbers; // rnd
    kvz::Date date;              // date
};

// A malformed script: the 1-based line and what is wrong with it.
class ScriptError : public std::runtime_error {
  public:
    ScriptError(int line, const std::string& message)
        : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}
    int line() const { return line_; }

  private:
    int line_;
};

// Splits a line into words: blanks separate them; a word in double quotes may hold blanks
// and the escapes \" and \\. Throws ScriptError for an unterminated or misplaced quote.
std::vector<std::string> splitWords(std::string_view line, int lineNo);

// Parses a whole script. Blank lines and lines starting with '#' are skipped. Checks every
// command's words and their order (set-up commands before `start`, one `start`); names of
// controls are checked later, against the window. Throws ScriptError.
std::vector<Command> parseScript(std::string_view text);

} // namespace kvz::script
