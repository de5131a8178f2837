// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/ReadingWarnings.h"

#include "text/DisplayCode.h"

#include <utility>

namespace kvz {

namespace {

bool isPlainLatin(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}

bool isCyrillic(char32_t c) {
    return c >= 0x400 && c < 0x530;
}

// Letters for the purpose of finding words: Latin with or without marks, and Cyrillic.
bool isLetter(char32_t c) {
    return isPlainLatin(c) || (c >= 0xC0 && c < 0x250 && c != 0xD7 && c != 0xF7) || isCyrillic(c);
}

bool isLatinCapital(char32_t c) {
    if (c >= U'A' && c <= U'Z') return true;
    // Č Ć Ž Š Đ have their display codes among the capitals' (@ [ \ ] ^).
    const std::optional<char> code = c >= 0xC0 && c < 0x250 ? typedDisplayCode(c) : std::nullopt;
    return code && *code >= '@' && *code <= '^';
}

bool isCapital(char32_t c) {
    return isLatinCapital(c) || (c >= 0x400 && c < 0x430);
}

char32_t lowerOf(char32_t c) {
    return isPlainLatin(c) ? (c | 0x20) : c;
}

bool isForeign(char32_t c) {
    const char32_t l = lowerOf(c);
    return l == U'q' || l == U'w' || l == U'x' || l == U'y';
}

bool isVowel(char32_t c) {
    const char32_t l = lowerOf(c);
    return l == U'a' || l == U'e' || l == U'i' || l == U'o' || l == U'u';
}

int romanValue(char32_t c) {
    switch (c) {
    case U'I':
        return 1;
    case U'V':
        return 5;
    case U'X':
        return 10;
    case U'L':
        return 50;
    case U'C':
        return 100;
    case U'D':
        return 500;
    case U'M':
        return 1000;
    default:
        return 0;
    }
}

std::u32string romanOf(int n) {
    static const std::pair<int, std::u32string_view> kParts[] = {
        {1000, U"M"}, {900, U"CM"}, {500, U"D"}, {400, U"CD"}, {100, U"C"}, {90, U"XC"}, {50, U"L"},
        {40, U"XL"},  {10, U"X"},   {9, U"IX"},  {5, U"V"},    {4, U"IV"},  {1, U"I"}};
    std::u32string out;
    for (const auto& [value, letters] : kParts)
        for (; n >= value; n -= value) out += letters;
    return out;
}

// A numeral written the usual way (1 to 3999): its value written back gives it again.
bool isRomanNumeral(const std::u32string& word) {
    int total = 0;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const int v = romanValue(word[i]);
        if (v == 0) return false;
        const int next = i + 1 < word.size() ? romanValue(word[i + 1]) : 0;
        total += v < next ? -v : v;
    }
    return total > 0 && total < 4000 && romanOf(total) == word;
}

struct Word {
    std::u32string text;
    bool afterName = false; // follows a capitalised word with only blanks between
};

std::vector<Word> wordsOf(const std::u32string& text) {
    std::vector<Word> words;
    bool inWord = false, nameBefore = false;
    for (char32_t c : text) {
        if (isLetter(c)) {
            if (!inWord) words.push_back({{}, nameBefore});
            words.back().text.push_back(c);
            inWord = true;
            continue;
        }
        if (inWord)
            nameBefore = c == U' ' && isCapital(words.back().text.front());
        else if (c != U' ')
            nameBefore = false;
        inWord = false;
    }
    return words;
}

std::optional<ReadingWarning::Kind> warningKind(const Word& word) {
    using Kind = ReadingWarning::Kind;
    const std::u32string& w = word.text;
    bool latin = false, allCapitals = true, foreign = false;
    for (char32_t c : w) {
        if (isCyrillic(c)) return std::nullopt;
        latin = latin || isPlainLatin(c);
        allCapitals = allCapitals && isLatinCapital(c);
        foreign = foreign || isForeign(c);
    }
    if (!latin) return std::nullopt;
    if (isRomanNumeral(w) &&
        (w.size() > 1 || (word.afterName && w != U"L" && w != U"C" && w != U"D" && w != U"M")))
        return Kind::RomanNumeral;
    if (foreign) return Kind::ForeignLetters;
    if (allCapitals && w.size() > 1) return Kind::Abbreviation;
    return std::nullopt;
}

std::string shownInCyrillic(const std::u32string& word) {
    const ConversionResult display = toDisplayCode(withSerbianLetters(encodeUtf8(word)));
    return display.ok() ? encodeUtf8(displayToCyrillic(display.text)) : std::string();
}

} // namespace

std::vector<ReadingWarning> readingWarnings(std::string_view utf8) {
    std::vector<ReadingWarning> out;
    const std::optional<std::u32string> text = decodeUtf8(utf8);
    if (!text) return out;
    for (const Word& word : wordsOf(*text))
        if (std::optional<ReadingWarning::Kind> kind = warningKind(word))
            out.push_back({*kind, encodeUtf8(word.text), shownInCyrillic(word.text)});
    return out;
}

std::string withSerbianLetters(std::string_view utf8) {
    const std::optional<std::u32string> decoded = decodeUtf8(utf8);
    if (!decoded) return std::string(utf8);
    const std::u32string& text = *decoded;
    std::u32string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (!isForeign(c)) {
            out.push_back(c);
            continue;
        }
        const char32_t next = i + 1 < text.size() ? text[i + 1] : 0;
        const char32_t before = i > 0 ? text[i - 1] : 0;
        const bool capital = isLatinCapital(c);
        const bool shouting = capital && (isLatinCapital(next) || isLatinCapital(before));
        std::u32string_view spelled;
        switch (lowerOf(c)) {
        case U'w':
            spelled = U"v";
            break;
        case U'x':
            spelled = U"ks";
            break;
        case U'y':
            spelled = isVowel(next) ? U"j" : U"i";
            break;
        default: // q, and qu as one sound
            spelled = lowerOf(next) == U'u' ? U"kv" : U"k";
            if (spelled.size() == 2) ++i;
        }
        for (std::size_t k = 0; k < spelled.size(); ++k)
            out.push_back((k == 0 && capital) || shouting ? spelled[k] - 0x20 : spelled[k]);
    }
    return encodeUtf8(out);
}

} // namespace kvz
