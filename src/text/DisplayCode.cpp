// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/DisplayCode.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace kvz {

namespace {

// Display code and the Cyrillic letter it shows, for every letter of the alphabet.
struct Letter {
    char code;
    char32_t cyrillic;
};

constexpr std::array<Letter, 60> kLetters = {{
    {'a', U'а'},  {'b', U'б'}, {'v', U'в'}, {'g', U'г'}, {'d', U'д'}, {'|', U'ђ'}, {'e', U'е'},
    {'`', U'ж'},  {'z', U'з'}, {'i', U'и'}, {'j', U'ј'}, {'k', U'к'}, {'l', U'л'}, {'q', U'љ'},
    {'m', U'м'},  {'n', U'н'}, {'w', U'њ'}, {'o', U'о'}, {'p', U'п'}, {'r', U'р'}, {'s', U'с'},
    {'t', U'т'},  {'}', U'ћ'}, {'u', U'у'}, {'f', U'ф'}, {'h', U'х'}, {'c', U'ц'}, {'~', U'ч'},
    {'x', U'џ'},  {'{', U'ш'}, {'A', U'А'}, {'B', U'Б'}, {'V', U'В'}, {'G', U'Г'}, {'D', U'Д'},
    {'\\', U'Ђ'}, {'E', U'Е'}, {'@', U'Ж'}, {'Z', U'З'}, {'I', U'И'}, {'J', U'Ј'}, {'K', U'К'},
    {'L', U'Л'},  {'Q', U'Љ'}, {'M', U'М'}, {'N', U'Н'}, {'W', U'Њ'}, {'O', U'О'}, {'P', U'П'},
    {'R', U'Р'},  {'S', U'С'}, {'T', U'Т'}, {']', U'Ћ'}, {'U', U'У'}, {'F', U'Ф'}, {'H', U'Х'},
    {'C', U'Ц'},  {'^', U'Ч'}, {'X', U'Џ'}, {'[', U'Ш'},
}};

// Latin letters with diacritics and their display codes.
constexpr std::array<Letter, 10> kLatinDiacritics = {{
    {'`', U'ž'},
    {'@', U'Ž'},
    {'{', U'š'},
    {'[', U'Š'},
    {'|', U'đ'},
    {'\\', U'Đ'},
    {'}', U'ć'},
    {']', U'Ć'},
    {'~', U'č'},
    {'^', U'Č'},
}};

// Typographic marks that have a plain ASCII form.
struct Plain {
    char32_t mark;
    const char* ascii;
};
constexpr std::array<Plain, 11> kPlainMarks = {{
    {U'„', "\""},
    {U'“', "\""},
    {U'”', "\""},
    {U'«', "\""},
    {U'»', "\""},
    {U'‘', "'"},
    {U'’', "'"},
    {U'–', "-"},
    {U'—', "-"},
    {U'…', "..."},
    {U'\u00A0', " "},
}};

bool isDisplayLetterPosition(char32_t c) {
    for (const auto& l : kLatinDiacritics)
        if (static_cast<char32_t>(static_cast<unsigned char>(l.code)) == c) return true;
    return false;
}

std::optional<char> cyrillicCode(char32_t c) {
    for (const auto& l : kLetters)
        if (l.cyrillic == c) return l.code;
    return std::nullopt;
}

std::optional<char> latinDiacriticCode(char32_t c) {
    for (const auto& l : kLatinDiacritics)
        if (l.cyrillic == c) return l.code;
    return std::nullopt;
}

std::string describe(char32_t c) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(c));
    std::u32string one(1, c);
    return "'" + encodeUtf8(one) + "' (" + buf + ")";
}

bool isPlainLatin(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}

// Joins a Latin digraph whose first letter is already at the end of `out`: lj, nj, dž.
bool joinDigraph(std::string& out, bool prevLatin, char32_t c) {
    if (!prevLatin || out.empty()) return false;
    char prev = out.back();
    bool j = c == U'j' || c == U'J';
    bool zh = c == U'ž' || c == U'Ž';
    char joined = 0;
    if (j && (prev == 'l' || prev == 'L'))
        joined = prev == 'l' ? 'q' : 'Q';
    else if (j && (prev == 'n' || prev == 'N'))
        joined = prev == 'n' ? 'w' : 'W';
    else if (zh && (prev == 'd' || prev == 'D'))
        joined = prev == 'd' ? 'x' : 'X';
    if (joined == 0) return false;
    out.back() = joined;
    return true;
}

} // namespace

std::optional<std::u32string> decodeUtf8(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        auto b = static_cast<unsigned char>(s[i]);
        int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        if (len == 0 || i + static_cast<std::size_t>(len) > s.size()) return std::nullopt;
        char32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; k < len; ++k) {
            auto cb = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((cb >> 6) != 2) return std::nullopt;
            cp = (cp << 6) | (cb & 0x3F);
        }
        constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
        out.push_back(cp);
        i += static_cast<std::size_t>(len);
    }
    return out;
}

std::string encodeUtf8(std::u32string_view text) {
    std::string out;
    for (char32_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

ConversionResult toDisplayCode(std::string_view utf8) {
    auto decoded = decodeUtf8(utf8);
    if (!decoded) return {{}, "the text is not valid UTF-8"};
    ConversionResult result;
    std::string& out = result.text;
    bool prevLatin = false;
    for (char32_t c : *decoded) {
        if (joinDigraph(out, prevLatin, c)) {
            prevLatin = false;
            continue;
        }
        bool latin = false;
        if (auto code = cyrillicCode(c)) {
            out += *code;
        } else if (auto dia = latinDiacriticCode(c)) {
            out += *dia;
            latin = true;
        } else if (isPlainLatin(c)) {
            char32_t lower = c | 0x20;
            if (lower == U'q' || lower == U'w' || lower == U'x' || lower == U'y')
                return {{},
                        "the Latin letter " + describe(c) +
                            " is not a letter of the Serbian alphabet"};
            out += static_cast<char>(c);
            latin = true;
        } else if (c >= 0x20 && c < 0x7F && !isDisplayLetterPosition(c)) {
            out += static_cast<char>(c);
        } else {
            bool found = false;
            for (const auto& p : kPlainMarks)
                if (p.mark == c) out += p.ascii, found = true;
            if (!found) return {{}, "the character " + describe(c) + " cannot be shown"};
        }
        prevLatin = latin;
    }
    return result;
}

std::optional<char> typedDisplayCode(char32_t c) {
    if (std::optional<char> code = cyrillicCode(c)) return code;
    if (std::optional<char> code = latinDiacriticCode(c)) return code;
    if (c >= 0x20 && c < 0x7F) return static_cast<char>(c);
    return std::nullopt;
}

std::u32string displayToCyrillic(std::string_view display) {
    std::u32string out;
    out.reserve(display.size());
    for (char ch : display) {
        char32_t shown = static_cast<unsigned char>(ch);
        for (const auto& l : kLetters)
            if (l.code == ch) shown = l.cyrillic;
        out.push_back(shown);
    }
    return out;
}

namespace {

// Capitals of the display code: A to Z and @ [ \\ ] ^ (Ž Š Đ Ć Č), one run of ASCII.
bool isCapitalLetter(char ch) {
    return ch >= '@' && ch <= '^';
}

char32_t latinCapital(char32_t c) {
    return c == U'\u017E' ? U'\u017D' : c - 0x20; // ž has its capital just before it
}

// The Latin digraph of a display letter (lj, nj, dž); empty for the other letters.
std::u32string_view latinDigraph(char lower) {
    switch (lower) {
    case 'q':
        return U"lj";
    case 'w':
        return U"nj";
    case 'x':
        return U"d\u017E";
    default:
        return {};
    }
}

} // namespace

std::u32string displayIn(std::string_view display, Script script) {
    return script == Script::Latin ? displayToLatin(display) : displayToCyrillic(display);
}

std::u32string displayToLatin(std::string_view display) {
    std::u32string out;
    out.reserve(display.size() + display.size() / 8);
    for (std::size_t i = 0; i < display.size(); ++i) {
        const char ch = display[i];
        const bool capital = ch == 'Q' || ch == 'W' || ch == 'X';
        std::u32string_view digraph = latinDigraph(capital ? static_cast<char>(ch | 0x20) : ch);
        if (!digraph.empty()) {
            // A capital digraph in a word of capitals is written in capitals throughout.
            const bool allCaps =
                capital && ((i + 1 < display.size() && isCapitalLetter(display[i + 1])) ||
                            (i > 0 && isCapitalLetter(display[i - 1])));
            out.push_back(capital ? latinCapital(digraph[0]) : digraph[0]);
            out.push_back(allCaps ? latinCapital(digraph[1]) : digraph[1]);
            continue;
        }
        char32_t shown = static_cast<unsigned char>(ch);
        for (const auto& l : kLatinDiacritics)
            if (l.code == ch) shown = l.cyrillic;
        out.push_back(shown);
    }
    return out;
}

std::string cyrillicToLatin(std::string_view utf8) {
    const std::optional<std::u32string> text = decodeUtf8(utf8);
    if (!text) return std::string(utf8);
    std::u32string out;
    std::string run; // display code of the Cyrillic letters met since the last other character
    auto flush = [&] {
        out += displayToLatin(run);
        run.clear();
    };
    for (char32_t c : *text) {
        if (std::optional<char> code = cyrillicCode(c)) {
            run += *code;
            continue;
        }
        flush();
        out.push_back(c);
    }
    flush();
    return encodeUtf8(out);
}

} // namespace kvz
