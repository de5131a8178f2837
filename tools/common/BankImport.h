// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/Database.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvz {

// A question ready for tbKviz, texts already in display code.
struct BankQuestion {
    int line = 0; // where it starts in its source
    std::string pitanje;
    std::string answers[4]; // A, B, V, G
    int rb = 0;
    int tac = 0;
    std::optional<std::string> odred;
};

struct BankProblem {
    int line = 0;
    std::string message;
};

struct ParsedBank {
    std::vector<BankQuestion> questions;
    std::vector<BankProblem> problems;
    std::vector<BankProblem> warnings;
};

enum class BankFormat { Json, Csv, Text };

// The format by file name ending: .json, .csv, anything else is the plain-text format.
BankFormat bankFormatOf(std::string_view fileName);

// A level as written on a command line: a whole number 1..15 and nothing else.
std::optional<int> levelNumber(std::string_view text);

// Where a bank goes as it is read: every question that passed its checks, every problem,
// and every word that the Cyrillic display will read otherwise than it was written (see
// readingWarnings), the question imported all the same.
struct BankSink {
    std::function<void(BankQuestion&&)> question;
    std::function<void(BankProblem&&)> problem;
    std::function<void(BankProblem&&)> warning;
};

// One field's text as the importer takes it: runs of white space folded to one blank, the
// letters q w x y written as Serbian spells them, then converted to display code.
struct ImportedField {
    std::optional<std::string> display; // nothing when empty or refused
    std::string problem;                // why it was refused; empty when it was not
    std::vector<std::string> warnings;  // words the Cyrillic display reads otherwise
};
ImportedField importField(const std::string& key, const std::string& text, bool required);

// Reads questions written in ordinary UTF-8 Serbian (Cyrillic or Latin) and checks every
// row: only the known columns or keys, each once; a question and four answers present, the
// level 1..15, the right answer 1..4 (or its letter), every text expressible in display
// code once the letters q w x y are written as Serbian spells them. `level` is given to rows that
// state none (the plain-text format never states one). The source is read as it goes, one row at a
// time, so a file of any size takes little memory; nesting in JSON is bounded, and a byte-order
// mark at the start is skipped. Rows reach the sink in source order, problems as they are found.
void readBank(std::istream& in, BankFormat format, std::optional<int> level, const BankSink& sink);

// The same for a bank held in memory, problems and warnings in line order.
ParsedBank parseBank(std::string_view content, BankFormat format, std::optional<int> level);

// Appends questions to tbKviz, one at a time, inside the caller's transaction.
class QuestionInserter {
  public:
    explicit QuestionInserter(const Connection& conn);
    void add(const BankQuestion& q);

  private:
    Statement insert_;
};

// Appends the questions to tbKviz in their order, all or nothing.
void addQuestions(const Connection& conn, const std::vector<BankQuestion>& questions);

} // namespace kvz
