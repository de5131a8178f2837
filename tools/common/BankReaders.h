// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/BankImport.h"

#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>

namespace kvz::bank {

// A row as written in its source, before checking: field name -> text (nothing for null).
struct RawRow {
    int line = 0;
    std::map<std::string, std::optional<std::string>> fields;
};

using RowSink = std::function<void(RawRow&&)>;
using ProblemSink = std::function<void(BankProblem&&)>;

// The names a row may use: the question, the four answers, the level, the right answer and
// the note.
bool isBankField(const std::string& name);

// Each reader hands over the rows of its format one at a time, and a problem for anything
// that is not a row: bad syntax, an unknown or repeated name.
void readJsonRows(std::istream& in, const RowSink& rows, const ProblemSink& problems);
void readCsvRows(std::istream& in, const RowSink& rows, const ProblemSink& problems);
// The usual multiple-choice text: a question (one or more lines), then "A." to "D." (or
// "A)"), then "ANSWER: X"; questions separated by blank lines. The answer goes to "Tac".
void readTextRows(std::istream& in, const RowSink& rows, const ProblemSink& problems);

} // namespace kvz::bank
