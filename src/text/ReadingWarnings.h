// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvz {

// A word written in Latin letters whose display code the Cyrillic display reads otherwise
// than the writer meant: "Petar II" shows as "Петар ИИ", "DNA" as "ДНА".
struct ReadingWarning {
    enum class Kind {
        RomanNumeral,   // "II", "XIV"; a lone I, V or X only after a capitalised word ("Petar I")
        Abbreviation,   // two or more capitals in Latin letters ("DNA", "UNESCO")
        ForeignLetters, // q, w, x or y: letters the Serbian alphabet does not have
    };
    Kind kind;
    std::string word;  // as written, UTF-8
    std::string shown; // what the Cyrillic display shows for it, UTF-8
};

// The words of a UTF-8 text that warrant a warning, in text order, one warning a word.
// Words in Cyrillic letters never do: they read as written.
std::vector<ReadingWarning> readingWarnings(std::string_view utf8);

// The text with the letters outside the Serbian alphabet written as Serbian spells them,
// so that it can be put into display code: w as v, x as ks, qu as kv and q as k, y as j
// before a vowel and as i elsewhere; in a word of capitals the added letters are capitals.
std::string withSerbianLetters(std::string_view utf8);

} // namespace kvz
