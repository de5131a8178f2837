#pragma once

#include "data/Database.h"

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
};

enum class BankFormat { Json, Csv, Text };

// The format by file name ending: .json, .csv, anything else is the plain-text format.
BankFormat bankFormatOf(std::string_view fileName);

// Reads questions written in ordinary UTF-8 Serbian (Cyrillic or Latin) and checks every
// row: a question and four answers present, the level 1..15, the right answer 1..4 (or its
// letter), every text expressible in display code. `level` is given to rows that state none
// (the plain-text format never states one).
ParsedBank parseBank(std::string_view content, BankFormat format, std::optional<int> level);

// Appends the questions to tbKviz in their order, all or nothing.
void addQuestions(const Connection& conn, const std::vector<BankQuestion>& questions);

} // namespace kvz
