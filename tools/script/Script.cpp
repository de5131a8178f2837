// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/Script.h"

#include "text/Trim.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <map>

namespace kvz::script {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Reads a quoted word starting at text[i] == '"'; leaves i after the closing quote.
std::string quotedWord(std::string_view text, std::size_t& i, int lineNo) {
    std::string word;
    for (++i; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            ++i;
            if (i < text.size() && !isBlank(text[i]))
                throw ScriptError(lineNo, "a closing quote must end the word");
            return word;
        }
        if (c == '\\') {
            if (++i == text.size()) break;
            if (text[i] != '"' && text[i] != '\\')
                throw ScriptError(lineNo, std::string("unknown escape \\") + text[i] +
                                              " (inside quotes only \\\" and \\\\ are allowed)");
        }
        word += text[i];
    }
    throw ScriptError(lineNo, "a quoted word is not closed");
}

std::string bareWord(std::string_view text, std::size_t& i, int lineNo) {
    std::size_t start = i;
    while (i < text.size() && !isBlank(text[i])) {
        if (text[i] == '"') throw ScriptError(lineNo, "a quote inside a word");
        ++i;
    }
    return std::string(text.substr(start, i - start));
}

// The words of one command line and its checks.
class Line {
  public:
    Line(std::vector<std::string> words, int lineNo) : words_(std::move(words)), line_(lineNo) {}

    const std::string& name() const { return words_[0]; }
    std::size_t argCount() const { return words_.size() - 1; }
    const std::string& arg(std::size_t i) const { return words_[i + 1]; }

    [[noreturn]] void fail(const std::string& message) const { throw ScriptError(line_, message); }

    void expectArgs(std::size_t lo, std::size_t hi, const char* usage) const {
        if (argCount() < lo || argCount() > hi) fail("usage: " + std::string(usage));
    }

    std::int64_t integer(std::size_t i, std::int64_t lo, std::int64_t hi, const char* what) const {
        const std::string& w = arg(i);
        std::int64_t v = 0;
        auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
        if (ec != std::errc() || end != w.data() + w.size() || v < lo || v > hi)
            fail(std::string(what) + " must be a whole number from " + std::to_string(lo) + " to " +
                 std::to_string(hi) + ", not \"" + w + "\"");
        return v;
    }

    double decimal(std::size_t i, const char* what) const {
        const std::string& w = arg(i);
        double v = 0;
        auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
        if (ec != std::errc() || end != w.data() + w.size() || !std::isfinite(v))
            fail(std::string(what) + " must be a number, not \"" + w + "\"");
        return v;
    }

  private:
    std::vector<std::string> words_;
    int line_;
};

constexpr std::int64_t kMaxTwips = 1'000'000;
constexpr std::int64_t kMaxWait = 24LL * 60 * 60 * 1000; // a day of virtual time at once

Date parseDate(const Line& l) {
    const std::string& w = l.arg(0);
    auto digits = [&](std::size_t from, std::size_t n) {
        int v = 0;
        for (std::size_t i = from; i < from + n; ++i) {
            if (w[i] < '0' || w[i] > '9') return -1;
            v = v * 10 + (w[i] - '0');
        }
        return v;
    };
    Date d;
    bool shaped = w.size() == 10 && w[4] == '-' && w[7] == '-';
    if (shaped) {
        d.year = digits(0, 4);
        d.month = digits(5, 2);
        d.day = digits(8, 2);
    }
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = d.year % 4 == 0 && (d.year % 100 != 0 || d.year % 400 == 0);
    bool valid = shaped && d.year >= 1 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
                 d.day <= kDays[d.month - 1] && (d.month != 2 || d.day <= 28 || leap);
    if (!valid) l.fail("date must be a real date written YYYY-MM-DD, not \"" + w + "\"");
    return d;
}

void parseArgs(Command& c, const Line& l) {
    switch (c.op) {
    case Op::Screen:
    case Op::Resize:
        l.expectArgs(2, 2, c.op == Op::Screen ? "screen WIDTH HEIGHT" : "resize WIDTH HEIGHT");
        c.x = l.integer(0, c.op == Op::Screen ? 1 : 0, kMaxTwips, "the width");
        c.y = l.integer(1, c.op == Op::Screen ? 1 : 0, kMaxTwips, "the height");
        break;
    case Op::Platform:
        l.expectArgs(1, 1, "platform nt|other");
        if (l.arg(0) != "nt" && l.arg(0) != "other")
            l.fail("platform must be nt or other, not \"" + l.arg(0) + "\"");
        c.flag = l.arg(0) == "nt";
        break;
    case Op::Running:
    case Op::Latin:
    case Op::Start:
    case Op::Blur:
        l.expectArgs(0, 0, l.name().c_str());
        break;
    case Op::Date:
        l.expectArgs(1, 1, "date YYYY-MM-DD");
        c.date = parseDate(l);
        break;
    case Op::Seed:
        l.expectArgs(1, 1, "seed NUMBER");
        c.number = l.decimal(0, "the seed");
        break;
    case Op::Rnd:
        l.expectArgs(1, SIZE_MAX, "rnd R1 R2 ... (each 0 <= R < 1)");
        for (std::size_t i = 0; i < l.argCount(); ++i) {
            double r = l.decimal(i, "a random value");
            if (r < 0 || r >= 1) l.fail("a random value must lie in 0 <= R < 1, not " + l.arg(i));
            c.numbers.push_back(r);
        }
        break;
    case Op::Click:
    case Op::DblClick:
    case Op::Move:
    case Op::Focus:
    case Op::Tick:
        l.expectArgs(1, 1, (l.name() + " NAME").c_str());
        c.word = l.arg(0);
        break;
    case Op::Key:
        l.expectArgs(1, 1, "key CODE");
        c.x = l.integer(0, 1, 255, "the key code");
        break;
    case Op::Type:
        l.expectArgs(1, 1, "type \"TEXT\"");
        c.word = l.arg(0);
        break;
    case Op::Wait:
        l.expectArgs(1, 1, "wait MS");
        c.x = l.integer(0, 0, kMaxWait, "the time to wait");
        break;
    case Op::Dump:
        l.expectArgs(0, 1, "dump [LABEL]");
        c.hasWord = l.argCount() == 1;
        if (c.hasWord) c.word = l.arg(0);
        break;
    }
}

bool isSetUp(Op op) {
    return op == Op::Screen || op == Op::Platform || op == Op::Running || op == Op::Latin;
}

const std::map<std::string, Op, std::less<>>& commandNames() {
    static const std::map<std::string, Op, std::less<>> names{
        {"screen", Op::Screen}, {"platform", Op::Platform}, {"running", Op::Running},
        {"date", Op::Date},     {"seed", Op::Seed},         {"rnd", Op::Rnd},
        {"start", Op::Start},   {"click", Op::Click},       {"dblclick", Op::DblClick},
        {"move", Op::Move},     {"key", Op::Key},           {"type", Op::Type},
        {"latin", Op::Latin},   {"focus", Op::Focus},       {"blur", Op::Blur},
        {"wait", Op::Wait},     {"tick", Op::Tick},         {"resize", Op::Resize},
        {"dump", Op::Dump},
    };
    return names;
}

} // namespace

std::vector<std::string> splitWords(std::string_view line, int lineNo) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && isBlank(line[i])) ++i;
        if (i == line.size()) return words;
        words.push_back(line[i] == '"' ? quotedWord(line, i, lineNo) : bareWord(line, i, lineNo));
    }
}

std::vector<Command> parseScript(std::string_view text) {
    std::vector<Command> commands;
    bool started = false;
    std::size_t pos = 0;
    for (int lineNo = 1; pos <= text.size(); ++lineNo) {
        std::size_t nl = std::min(text.find('\n', pos), text.size());
        std::string_view source = trimmed(text.substr(pos, nl - pos), " \t\r");
        pos = nl + 1;
        if (source.empty() || source.front() == '#') continue;

        Line l(splitWords(source, lineNo), lineNo);
        auto found = commandNames().find(l.name());
        if (found == commandNames().end()) l.fail("unknown command \"" + l.name() + "\"");
        Command c;
        c.op = found->second;
        c.line = lineNo;
        c.source = std::string(source);
        parseArgs(c, l);
        if (started && isSetUp(c.op)) l.fail(l.name() + " must come before start");
        if (started && c.op == Op::Start) l.fail("the program is already started");
        started = started || c.op == Op::Start;
        commands.push_back(std::move(c));
    }
    return commands;
}

} // namespace kvz::script
