#include "common/BankImport.h"

#include "data/DatabaseCheck.h"
#include "text/DisplayCode.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>

namespace kvz {

namespace {

// A row as written in its source, before checking: field name -> text (nothing for null).
struct RawRow {
    int line = 0;
    std::map<std::string, std::optional<std::string>> fields;
};

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

std::string trim(std::string_view s) {
    auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return std::string(s);
}

// The answer number for "1".."4" or a letter A B V G (Cyrillic А Б В Г, or C and D of
// the usual A-D lettering when `abcd`).
std::optional<int> answerNumber(const std::string& text, bool abcd) {
    std::string t = trim(text);
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

std::optional<int> levelNumber(const std::string& text) {
    std::string t = trim(text);
    if (t.empty() || t.size() > 2 || !std::all_of(t.begin(), t.end(), ::isdigit))
        return std::nullopt;
    int n = std::stoi(t);
    if (n < 1 || n > 15) return std::nullopt;
    return n;
}

// Checks one field's text and converts it; records a problem and returns nothing when bad.
std::optional<std::string> displayField(const RawRow& row, const std::string& key, bool required,
                                        std::vector<BankProblem>& problems) {
    auto it = row.fields.find(key);
    std::string text =
        it == row.fields.end() || !it->second ? std::string() : foldSpaces(*it->second);
    if (text.empty()) {
        if (required) problems.push_back({row.line, "\"" + key + "\" is missing or empty"});
        return std::nullopt;
    }
    if (text.size() > kMaxTextBytes) {
        problems.push_back({row.line, "\"" + key + "\" is longer than " +
                                          std::to_string(kMaxTextBytes) + " bytes"});
        return std::nullopt;
    }
    auto converted = toDisplayCode(text);
    if (!converted.ok()) {
        problems.push_back({row.line, "\"" + key + "\": " + converted.error});
        return std::nullopt;
    }
    return converted.text;
}

void checkRow(const RawRow& row, std::optional<int> level, bool abcd, ParsedBank& out) {
    std::size_t before = out.problems.size();
    BankQuestion q;
    q.line = row.line;
    if (auto t = displayField(row, "Pitanje", true, out.problems)) q.pitanje = *t;
    for (int i = 0; i < 4; ++i)
        if (auto t = displayField(row, kAnswerKeys[i], true, out.problems)) q.answers[i] = *t;
    q.odred = displayField(row, "Odred", false, out.problems);

    auto rbIt = row.fields.find("RB");
    bool rbGiven = rbIt != row.fields.end() && rbIt->second && !trim(*rbIt->second).empty();
    if (rbGiven) {
        auto n = levelNumber(*rbIt->second);
        if (n)
            q.rb = *n;
        else
            out.problems.push_back(
                {row.line, "\"RB\" must be a level from 1 to 15, not \"" + *rbIt->second + "\""});
    } else if (!level) {
        out.problems.push_back({row.line, "no level: give \"RB\" or --level"});
    } else if (*level < 1 || *level > 15) {
        out.problems.push_back(
            {row.line, "the level " + std::to_string(*level) + " is not one from 1 to 15"});
    } else {
        q.rb = *level;
    }

    auto tacIt = row.fields.find("Tac");
    auto tac = tacIt == row.fields.end() || !tacIt->second ? std::nullopt
                                                           : answerNumber(*tacIt->second, abcd);
    if (tac)
        q.tac = *tac;
    else
        out.problems.push_back(
            {row.line, "\"Tac\" must name the right answer (1 to 4, or A, B, V, G)"});

    if (out.problems.size() == before) out.questions.push_back(std::move(q));
}

// The line on which each element of the top-level JSON array starts.
std::vector<int> jsonElementLines(std::string_view content) {
    std::vector<int> lines;
    int depth = 0;
    bool inString = false;
    int line = 1;
    for (std::size_t i = 0; i < content.size(); ++i) {
        char c = content[i];
        if (c == '\n') ++line;
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"') inString = true;
        if (c == '[' || c == '{') {
            if (depth == 1) lines.push_back(line);
            ++depth;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return lines;
}

std::vector<RawRow> jsonRows(std::string_view content, std::vector<BankProblem>& problems) {
    nlohmann::json doc;
    try {
        doc = nlohmann::json::parse(content);
    } catch (const nlohmann::json::exception& e) { // a syntax error, or a number out of range
        problems.push_back({0, std::string("not valid JSON: ") + e.what()});
        return {};
    }
    if (!doc.is_array()) {
        problems.push_back({1, "the file must hold a JSON array of questions"});
        return {};
    }
    auto lines = jsonElementLines(content);
    std::vector<RawRow> rows;
    for (std::size_t i = 0; i < doc.size(); ++i) {
        RawRow row;
        row.line = i < lines.size() ? lines[i] : 0;
        if (!doc[i].is_object()) {
            problems.push_back({row.line, "a question must be a JSON object"});
            continue;
        }
        for (const auto& [key, v] : doc[i].items()) {
            if (v.is_null())
                row.fields[key] = std::nullopt;
            else if (v.is_string())
                row.fields[key] = v.get<std::string>();
            else
                row.fields[key] = v.dump();
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

// RFC 4180 records: quoted fields may hold separators, doubled quotes and line breaks.
std::vector<std::pair<int, std::vector<std::string>>> csvRecords(std::string_view content,
                                                                 char sep) {
    std::vector<std::pair<int, std::vector<std::string>>> records;
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false, any = false;
    int line = 1, start = 1;
    for (std::size_t i = 0; i < content.size(); ++i) {
        char c = content[i];
        if (quoted) {
            if (c == '"' && i + 1 < content.size() && content[i + 1] == '"')
                field += '"', ++i;
            else if (c == '"')
                quoted = false;
            else
                field += c, line += c == '\n';
            continue;
        }
        if (c == '"')
            quoted = any = true;
        else if (c == sep)
            fields.push_back(std::move(field)), field.clear(), any = true;
        else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
            if (any || !field.empty()) {
                fields.push_back(std::move(field));
                records.emplace_back(start, std::move(fields));
            }
            fields.clear(), field.clear(), any = false;
            start = ++line;
        } else {
            field += c, any = true;
        }
    }
    if (any || !field.empty()) {
        fields.push_back(std::move(field));
        records.emplace_back(start, std::move(fields));
    }
    return records;
}

std::vector<RawRow> csvRows(std::string_view content, std::vector<BankProblem>& problems) {
    if (content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);
    std::string_view header = content.substr(0, content.find('\n'));
    char sep =
        header.find(';') != std::string_view::npos && header.find(',') == std::string_view::npos
            ? ';'
            : ',';
    auto records = csvRecords(content, sep);
    if (records.empty()) {
        problems.push_back({1, "the file is empty; the first line must name the columns"});
        return {};
    }
    std::vector<std::string> names;
    for (auto& n : records[0].second) names.push_back(trim(n));
    std::vector<RawRow> rows;
    for (std::size_t r = 1; r < records.size(); ++r) {
        auto& [line, values] = records[r];
        if (values.size() != names.size()) {
            problems.push_back({line, "has " + std::to_string(values.size()) +
                                          " fields, the header names " +
                                          std::to_string(names.size())});
            continue;
        }
        RawRow row;
        row.line = line;
        for (std::size_t i = 0; i < names.size(); ++i) row.fields[names[i]] = values[i];
        rows.push_back(std::move(row));
    }
    return rows;
}

// The usual multiple-choice text: a question (one or more lines), then "A." to "D."
// (or "A)"), then "ANSWER: X"; questions separated by blank lines.
std::vector<RawRow> textRows(std::string_view content, std::vector<BankProblem>& problems) {
    static const std::regex option(R"(^\s*([A-Da-d])\s*[.)]\s*(.*?)\s*$)");
    static const std::regex answer(R"(^\s*ANSWER\s*:\s*(\S*)\s*$)", std::regex::icase);
    std::vector<RawRow> rows;
    RawRow current;
    std::string question;
    int options = 0, line = 0;
    auto reset = [&] { current = RawRow{}, question.clear(), options = 0; };
    std::size_t pos = 0;
    while (pos <= content.size()) {
        std::size_t end = content.find('\n', pos);
        if (end == std::string_view::npos) end = content.size();
        std::string text(content.substr(pos, end - pos));
        if (!text.empty() && text.back() == '\r') text.pop_back();
        pos = end + 1;
        ++line;
        std::smatch m;
        if (trim(text).empty()) {
            if (options > 0 || !question.empty())
                problems.push_back({current.line, "the question has no \"ANSWER:\" line"}), reset();
            if (end == content.size()) break;
            continue;
        }
        if (current.line == 0) current.line = line;
        if (std::regex_match(text, m, answer) && options > 0) {
            if (options != 4)
                problems.push_back({current.line, "a question needs the four options A to D"});
            else {
                current.fields["Pitanje"] = question;
                current.fields["Tac"] = m[1].str();
                rows.push_back(current);
            }
            reset();
        } else if (std::regex_match(text, m, option) && !question.empty() &&
                   std::toupper(m[1].str()[0]) == "ABCD"[options]) {
            current.fields[kAnswerKeys[options++]] = m[2].str();
        } else if (options == 0) {
            question += (question.empty() ? "" : " ") + trim(text);
        } else {
            problems.push_back({line, "expected option " +
                                          std::string(1, "ABCD"[std::min(options, 3)]) +
                                          " or \"ANSWER:\" here"});
            reset();
        }
        if (end == content.size()) break;
    }
    if (options > 0 || !question.empty())
        problems.push_back({current.line, "the question has no \"ANSWER:\" line"});
    return rows;
}

} // namespace

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

ParsedBank parseBank(std::string_view content, BankFormat format, std::optional<int> level) {
    ParsedBank out;
    std::vector<RawRow> rows = format == BankFormat::Json  ? jsonRows(content, out.problems)
                               : format == BankFormat::Csv ? csvRows(content, out.problems)
                                                           : textRows(content, out.problems);
    for (const auto& row : rows) checkRow(row, level, format == BankFormat::Text, out);
    std::stable_sort(out.problems.begin(), out.problems.end(),
                     [](const BankProblem& a, const BankProblem& b) { return a.line < b.line; });
    return out;
}

void addQuestions(const Connection& conn, const std::vector<BankQuestion>& questions) {
    Transaction tx(conn);
    auto st = conn.prepare(
        "INSERT INTO tbKviz (Pitanje, A, B, V, G, RB, Tac, Odred) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    for (const auto& q : questions) {
        st.bind(1, q.pitanje);
        for (int i = 0; i < 4; ++i) st.bind(2 + i, q.answers[i]);
        st.bind(6, q.rb).bind(7, q.tac).bind(8, q.odred ? Value(*q.odred) : Value());
        st.run();
        st.reset();
    }
    tx.commit();
}

} // namespace kvz
