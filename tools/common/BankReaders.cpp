// SPDX-License-Identifier: GPL-3.0-or-later
// The three source formats of a question bank, each read a row at a time.
#include "common/BankReaders.h"

#include "text/Trim.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <istream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <streambuf>

namespace kvz::bank {

namespace {

// Deeper than this, a JSON file is no bank: nesting is refused before it costs anything.
constexpr int kMaxJsonDepth = 64;

constexpr std::array<std::string_view, 8> kFields = {"Pitanje", "A",  "B",   "V",
                                                     "G",       "RB", "Tac", "Odred"};

bool isSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Passes a stream through, counting the lines of what has been taken from it.
class LineCounter : public std::streambuf {
  public:
    explicit LineCounter(std::streambuf* source) : source_(source) {}
    int line() const { return line_; }

  protected:
    int_type underflow() override { return source_->sgetc(); }
    int_type uflow() override {
        int_type c = source_->sbumpc();
        if (c == '\n') ++line_;
        return c;
    }

  private:
    std::streambuf* source_;
    int line_ = 1;
};

// The bank as a JSON array of flat objects, taken in as the parser meets it.
class JsonRows : public nlohmann::json_sax<nlohmann::json> {
  public:
    JsonRows(const LineCounter& lines, const RowSink& rows, const ProblemSink& problems)
        : lines_(lines), rows_(rows), problems_(problems) {}

    bool null() override { return value(std::nullopt); }
    bool boolean(bool v) override { return value(v ? "true" : "false"); }
    bool number_integer(number_integer_t v) override { return value(std::to_string(v)); }
    bool number_unsigned(number_unsigned_t v) override { return value(std::to_string(v)); }
    bool number_float(number_float_t, const string_t& s) override { return value(s); }
    bool string(string_t& s) override { return value(std::move(s)); }
    bool binary(binary_t&) override { return value(std::nullopt); }

    bool start_object(std::size_t) override { return open(true); }
    bool start_array(std::size_t) override { return open(false); }
    bool end_object() override { return close(); }
    bool end_array() override { return close(); }

    bool key(string_t& k) override {
        if (depth_ != 2) return true;
        key_ = k;
        if (!isBankField(k))
            problem("unknown key \"" + k + "\"");
        else if (row_.fields.count(k) != 0)
            problem("the key \"" + k + "\" is given twice");
        return true;
    }

    bool parse_error(std::size_t, const std::string&,
                     const nlohmann::detail::exception& e) override {
        problem(std::string("not valid JSON: ") + e.what());
        return false;
    }

  private:
    void problem(std::string message) {
        bad_ = true;
        problems_({lines_.line(), std::move(message)});
    }

    bool value(std::optional<std::string> text) {
        if (depth_ == 0) problem("the file must hold a JSON array of questions");
        if (depth_ == 1) problem("a question must be a JSON object");
        if (depth_ == 2 && isBankField(key_)) row_.fields.emplace(key_, std::move(text));
        return depth_ != 0;
    }

    bool open(bool object) {
        if (++depth_ > kMaxJsonDepth) {
            problem("nested deeper than " + std::to_string(kMaxJsonDepth) + " levels");
            return false;
        }
        if (depth_ == 1 && object) {
            problem("the file must hold a JSON array of questions");
            return false;
        }
        if (depth_ == 2) {
            row_ = RawRow{lines_.line(), {}};
            bad_ = false;
            if (!object) problem("a question must be a JSON object");
        }
        if (depth_ == 3) problem("\"" + key_ + "\" must be text, a number or null");
        return true;
    }

    bool close() {
        if (depth_-- == 2 && !bad_) rows_(std::move(row_));
        return true;
    }

    const LineCounter& lines_;
    const RowSink& rows_;
    const ProblemSink& problems_;
    int depth_ = 0;
    RawRow row_;
    std::string key_;
    bool bad_ = false;
};

// RFC 4180 records, one at a time: quoted fields may hold separators, doubled quotes and
// line breaks; a quote anywhere else is an error, not a character to drop.
class CsvRecords {
  public:
    CsvRecords(std::istream& in, char sep, int firstLine) : in_(in), sep_(sep), line_(firstLine) {}

    // The next record and the line it starts on; false at the end. A malformed record is
    // handed over with its problem in `error`.
    bool next(int& start, std::vector<std::string>& fields, std::string& error) {
        fields.clear();
        error.clear();
        for (;;) {
            std::string field;
            bool any = false;
            start = line_;
            int c = 0;
            while ((c = in_.get()) != EOF && c != '\n') {
                if (c == '\r' && in_.peek() == '\n') continue;
                if (c == '\r') break;
                any = true;
                if (c == sep_) {
                    fields.push_back(std::move(field));
                    field.clear();
                } else if (c == '"' && field.empty()) {
                    quoted(field, error);
                } else if (c == '"') {
                    note(error, "a quote inside a field without quotes around it; put the field "
                                "in quotes and double the quote");
                    field += '"';
                } else {
                    field += static_cast<char>(c);
                }
            }
            if (c == '\n' || c == '\r') ++line_;
            if (any) {
                fields.push_back(std::move(field));
                return true;
            }
            if (c == EOF) return false; // blank lines between records are skipped
        }
    }

  private:
    static void note(std::string& error, const char* message) {
        if (error.empty()) error = message;
    }

    // A quoted field, its opening quote already taken; what follows the closing quote must
    // end the field.
    void quoted(std::string& field, std::string& error) {
        int c = 0;
        while ((c = in_.get()) != EOF) {
            if (c == '"' && in_.peek() == '"') {
                field += static_cast<char>(in_.get());
            } else if (c == '"') {
                int after = in_.peek();
                if (after != sep_ && after != '\n' && after != '\r' && after != EOF)
                    note(error, "text after the closing quote of a field");
                return;
            } else {
                field += static_cast<char>(c);
                if (c == '\n') ++line_;
            }
        }
        note(error, "a quoted field is not closed");
    }

    std::istream& in_;
    char sep_;
    int line_;
};

// The column names of a header line; problems for unknown and repeated names.
bool csvHeader(const std::vector<std::string>& raw, std::vector<std::string>& names,
               const ProblemSink& problems) {
    bool good = true;
    std::set<std::string> seen;
    for (const auto& r : raw) {
        std::string name(trimmed(r));
        if (!isBankField(name)) {
            problems({1, "unknown column \"" + name + "\""});
            good = false;
        } else if (!seen.insert(name).second) {
            problems({1, "the column \"" + name + "\" is given twice"});
            good = false;
        }
        names.push_back(std::move(name));
    }
    return good;
}

// "A." .. "D." or "A)": the letter's place 0..3 and the option's text.
std::optional<std::pair<int, std::string>> optionLine(std::string_view line) {
    std::string t(trimmed(line));
    if (t.size() < 2) return std::nullopt;
    int letter = std::toupper(static_cast<unsigned char>(t[0])) - 'A';
    if (letter < 0 || letter > 3) return std::nullopt;
    std::size_t at = 1;
    while (at < t.size() && isSpace(t[at])) ++at;
    if (at == t.size() || (t[at] != '.' && t[at] != ')')) return std::nullopt;
    return std::make_pair(letter, std::string(trimmed(std::string_view(t).substr(at + 1))));
}

// "ANSWER: X" in any case: the answer as written, a word without blanks.
std::optional<std::string> answerLine(std::string_view line) {
    std::string t(trimmed(line));
    constexpr std::string_view kWord = "ANSWER";
    if (t.size() < kWord.size() ||
        !std::equal(kWord.begin(), kWord.end(), t.begin(), [](char a, char b) {
            return a == std::toupper(static_cast<unsigned char>(b));
        }))
        return std::nullopt;
    std::string rest(trimmed(std::string_view(t).substr(kWord.size())));
    if (rest.empty() || rest[0] != ':') return std::nullopt;
    std::string answer(trimmed(std::string_view(rest).substr(1)));
    if (std::any_of(answer.begin(), answer.end(), isSpace)) return std::nullopt;
    return answer;
}

} // namespace

bool isBankField(const std::string& name) {
    return std::find(kFields.begin(), kFields.end(), name) != kFields.end();
}

void readJsonRows(std::istream& in, const RowSink& rows, const ProblemSink& problems) {
    LineCounter lines(in.rdbuf());
    std::istream counted(&lines);
    JsonRows sax(lines, rows, problems);
    nlohmann::json::sax_parse(counted, &sax);
}

void readCsvRows(std::istream& in, const RowSink& rows, const ProblemSink& problems) {
    // The header decides the separator: a semicolon, unless it holds a comma.
    std::string header;
    if (!std::getline(in, header) || trimmed(header).empty()) {
        problems({1, "the file is empty; the first line must name the columns"});
        return;
    }
    if (!header.empty() && header.back() == '\r') header.pop_back();
    const char sep =
        header.find(';') != std::string::npos && header.find(',') == std::string::npos ? ';' : ',';
    std::istringstream headerLine(header);
    int start = 0;
    std::vector<std::string> fields, names;
    std::string error;
    CsvRecords(headerLine, sep, 1).next(start, fields, error);
    if (!error.empty()) problems({1, error});
    if (!csvHeader(fields, names, problems) || !error.empty()) return;

    CsvRecords records(in, sep, 2);
    while (records.next(start, fields, error)) {
        if (!error.empty()) {
            problems({start, error});
        } else if (fields.size() != names.size()) {
            problems({start, "has " + std::to_string(fields.size()) + " fields, the header names " +
                                 std::to_string(names.size())});
        } else {
            RawRow row{start, {}};
            for (std::size_t i = 0; i < names.size(); ++i) row.fields[names[i]] = fields[i];
            rows(std::move(row));
        }
    }
}

void readTextRows(std::istream& in, const RowSink& rows, const ProblemSink& problems) {
    static const char* const kKeys[4] = {"A", "B", "V", "G"};
    RawRow current;
    std::string question, text;
    int options = 0, line = 0;
    auto reset = [&] { current = RawRow{}, question.clear(), options = 0; };
    auto unanswered = [&] {
        if (options > 0 || !question.empty())
            problems({current.line, "the question has no \"ANSWER:\" line"});
        reset();
    };
    while (std::getline(in, text)) {
        ++line;
        if (trimmed(text).empty()) {
            unanswered();
            continue;
        }
        if (current.line == 0) current.line = line;
        auto answer = options > 0 ? answerLine(text) : std::nullopt;
        auto option = answer || question.empty() ? std::nullopt : optionLine(text);
        if (answer) {
            if (options != 4) {
                problems({current.line, "a question needs the four options A to D"});
            } else {
                current.fields["Pitanje"] = question;
                current.fields["Tac"] = *answer;
                rows(std::move(current));
            }
            reset();
        } else if (option && option->first == options) {
            current.fields[kKeys[options++]] = option->second;
        } else if (options == 0) {
            question += (question.empty() ? "" : " ") + std::string(trimmed(text));
        } else {
            problems({line, "expected option " + std::string(1, "ABCD"[std::min(options, 3)]) +
                                " or \"ANSWER:\" here"});
            reset();
        }
    }
    unanswered();
}

} // namespace kvz::bank
