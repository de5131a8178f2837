// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/BankImport.h"

#include "common/BankReaders.h"
#include "data/DatabaseCheck.h"
#include "text/DisplayCode.h"
#include "text/ReadingWarnings.h"
#include "text/Trim.h"

#include <algorithm>
#include <cctype>
#include <istream>
#include <map>
#include <sstream>

namespace kvz {

namespace {

using bank::RawRow;

const char* const kAnswerKeys[4] = {"A", "B", "V", "G"};

// Runs of white space (line breaks and tabs in a spreadsheet cell among them) become one
// blank; a label shows its text as one flowing paragraph anyway.
std::string foldSpaces(const std::string& s) {
    std::string out;
    for (char c : s) {
        bool space = std::isspace(static_cast<unsigned char>(c)) != 0;
        if (space && (out.empty() || out.back() == ' ')) continue;
        out += space ? ' ' : c;
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// The answer number for "1".."4" or a letter: A B V G (Cyrillic А Б В Г) in the JSON and
// CSV formats, A B C D in the plain-text format (`abcd`).
std::optional<int> answerNumber(const std::string& text, bool abcd) {
    std::string t(trimmed(text));
    static const std::map<std::string, int> kNames = {
        {"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}, {"A", 1}, {"B", 2}, {"V", 3},
        {"G", 4}, {"a", 1}, {"b", 2}, {"v", 3}, {"g", 4}, {"А", 1}, {"Б", 2},
        {"В", 3}, {"Г", 4}, {"а", 1}, {"б", 2}, {"в", 3}, {"г", 4}};
    if (abcd) {
        if (t == "C" || t == "c") return 3;
        if (t == "D" || t == "d") return 4;
        if (t == "V" || t == "v" || t == "G" || t == "g") return std::nullopt;
    }
    auto it = kNames.find(t);
    if (it == kNames.end()) return std::nullopt;
    return it->second;
}

std::string describe(const ReadingWarning& w) {
    const std::string shown = "the Cyrillic display shows \"" + w.shown + "\"";
    switch (w.kind) {
    case ReadingWarning::Kind::RomanNumeral:
        return "\"" + w.word + "\" is a Roman numeral; " + shown + " (write the number in digits)";
    case ReadingWarning::Kind::Abbreviation:
        return "\"" + w.word + "\" is an abbreviation in Latin letters; " + shown +
               " (write it as it is written in Cyrillic)";
    case ReadingWarning::Kind::ForeignLetters:
        break;
    }
    return "\"" + w.word + "\" has letters outside the Serbian alphabet; " + shown +
           " (write it as Serbian spells it)";
}

// Checks one field's text and converts it; reports a problem and returns nothing when bad.
std::optional<std::string> displayField(const RawRow& row, const std::string& key, bool required,
                                        const BankSink& sink, bool& bad) {
    auto it = row.fields.find(key);
    ImportedField field = importField(
        key, it == row.fields.end() || !it->second ? std::string() : *it->second, required);
    if (sink.warning)
        for (std::string& w : field.warnings) sink.warning({row.line, std::move(w)});
    if (!field.problem.empty()) {
        bad = true;
        sink.problem({row.line, std::move(field.problem)});
    }
    return field.display;
}

// The row's level, from RB or else from the command line; a problem when there is none.
std::optional<int> rowLevel(const RawRow& row, std::optional<int> level, std::string& problem) {
    auto rb = row.fields.find("RB");
    if (rb != row.fields.end() && rb->second && !trimmed(*rb->second).empty()) {
        if (auto n = levelNumber(trimmed(*rb->second))) return n;
        problem = "\"RB\" must be a level from 1 to 15, not \"" + *rb->second + "\"";
    } else if (!level) {
        problem = "no level: give \"RB\" or --level";
    } else if (*level < 1 || *level > 15) {
        problem = "the level " + std::to_string(*level) + " is not one from 1 to 15";
    } else {
        return level;
    }
    return std::nullopt;
}

void checkRow(const RawRow& row, std::optional<int> level, bool abcd, const BankSink& sink) {
    bool bad = false;
    BankQuestion q;
    q.line = row.line;
    if (auto t = displayField(row, "Pitanje", true, sink, bad)) q.pitanje = *t;
    for (int i = 0; i < 4; ++i)
        if (auto t = displayField(row, kAnswerKeys[i], true, sink, bad)) q.answers[i] = *t;
    q.odred = displayField(row, "Odred", false, sink, bad);

    std::string problem;
    if (auto n = rowLevel(row, level, problem))
        q.rb = *n;
    else
        bad = true, sink.problem({row.line, problem});

    auto tacIt = row.fields.find("Tac");
    auto tac = tacIt == row.fields.end() || !tacIt->second ? std::nullopt
                                                           : answerNumber(*tacIt->second, abcd);
    if (tac)
        q.tac = *tac;
    else
        bad = true, sink.problem({row.line, abcd ? "\"ANSWER:\" must name the right option: A, "
                                                   "B, C or D"
                                                 : "\"Tac\" must name the right answer (1 to 4, "
                                                   "or A, B, V, G)"});

    if (!bad) sink.question(std::move(q));
}

// Skips a UTF-8 byte-order mark at the start, as spreadsheets and editors write one.
void skipByteOrderMark(std::istream& in) {
    static const std::string kMark = "\xEF\xBB\xBF";
    for (char c : kMark) {
        if (in.peek() != static_cast<unsigned char>(c)) return;
        in.get();
    }
}

} // namespace

ImportedField importField(const std::string& key, const std::string& text, bool required) {
    ImportedField out;
    const std::string folded = foldSpaces(text);
    if (folded.empty()) {
        if (required) out.problem = "\"" + key + "\" is missing or empty";
        return out;
    }
    // Judged before the conversion too, so that no long text is worked on; x becomes ks.
    auto tooLong = [&](const std::string& t) {
        if (t.size() <= kMaxTextBytes) return false;
        out.problem = "\"" + key + "\" is longer than " + std::to_string(kMaxTextBytes) + " bytes";
        return true;
    };
    if (tooLong(folded)) return out;
    for (const ReadingWarning& w : readingWarnings(folded))
        out.warnings.push_back("\"" + key + "\": " + describe(w));
    auto converted = toDisplayCode(withSerbianLetters(folded));
    if (!converted.ok())
        out.problem = "\"" + key + "\": " + converted.error;
    else if (!tooLong(converted.text))
        out.display = std::move(converted.text);
    return out;
}

BankFormat bankFormatOf(std::string_view name) {
    auto endsWith = [&](std::string_view suffix) {
        if (name.size() < suffix.size()) return false;
        std::string tail(name.substr(name.size() - suffix.size()));
        std::transform(tail.begin(), tail.end(), tail.begin(), ::tolower);
        return tail == suffix;
    };
    if (endsWith(".json")) return BankFormat::Json;
    if (endsWith(".csv")) return BankFormat::Csv;
    return BankFormat::Text;
}

std::optional<int> levelNumber(std::string_view t) {
    if (t.empty() || t.size() > 2 || !std::all_of(t.begin(), t.end(), ::isdigit))
        return std::nullopt;
    int n = std::stoi(std::string(t));
    if (n < 1 || n > 15) return std::nullopt;
    return n;
}

void readBank(std::istream& in, BankFormat format, std::optional<int> level, const BankSink& sink) {
    skipByteOrderMark(in);
    const bool abcd = format == BankFormat::Text;
    bank::RowSink rows = [&](RawRow&& row) { checkRow(row, level, abcd, sink); };
    bank::ProblemSink problems = [&](BankProblem&& p) { sink.problem(std::move(p)); };
    switch (format) {
    case BankFormat::Json:
        bank::readJsonRows(in, rows, problems);
        break;
    case BankFormat::Csv:
        bank::readCsvRows(in, rows, problems);
        break;
    case BankFormat::Text:
        bank::readTextRows(in, rows, problems);
        break;
    }
}

ParsedBank parseBank(std::string_view content, BankFormat format, std::optional<int> level) {
    ParsedBank out;
    std::istringstream in{std::string(content)};
    readBank(in, format, level,
             {[&](BankQuestion&& q) { out.questions.push_back(std::move(q)); },
              [&](BankProblem&& p) { out.problems.push_back(std::move(p)); },
              [&](BankProblem&& w) { out.warnings.push_back(std::move(w)); }});
    for (auto* list : {&out.problems, &out.warnings})
        std::stable_sort(
            list->begin(), list->end(),
            [](const BankProblem& a, const BankProblem& b) { return a.line < b.line; });
    return out;
}

QuestionInserter::QuestionInserter(const Connection& conn)
    : insert_(conn.prepare("INSERT INTO tbKviz (Pitanje, A, B, V, G, RB, Tac, Odred) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?)")) {}

void QuestionInserter::add(const BankQuestion& q) {
    insert_.bind(1, q.pitanje);
    for (int i = 0; i < 4; ++i) insert_.bind(2 + i, q.answers[i]);
    insert_.bind(6, q.rb).bind(7, q.tac).bind(8, q.odred ? Value(*q.odred) : Value());
    insert_.run();
    insert_.reset();
}

void addQuestions(const Connection& conn, const std::vector<BankQuestion>& questions) {
    Transaction tx(conn);
    QuestionInserter inserter(conn);
    for (const auto& q : questions) inserter.add(q);
    tx.commit();
}

} // namespace kvz
