// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvz {

// The display code: 7-bit text whose letters the display font draws as Serbian Cyrillic.
// Plain letters stand for the Latin letters of the same name; ž š đ ć č sit on
// ` { | } ~ (capitals @ [ \ ] ^) and lj nj dž on q w x (Q W X).

// Decodes UTF-8 into code points; nothing when the bytes are not valid UTF-8.
std::optional<std::u32string> decodeUtf8(std::string_view utf8);
std::string encodeUtf8(std::u32string_view text);

struct ConversionResult {
    std::string text;  // the display code, when ok
    std::string error; // why it failed, when not ok
    bool ok() const { return error.empty(); }
};

// Turns ordinary Serbian text (Cyrillic, or Latin with diacritics, or both) in UTF-8 into
// display code. Latin lj, nj, dž become one letter each. Characters that the display code
// cannot hold (the Latin q w x y, the ten letter positions used as punctuation, other
// scripts, control characters) make it fail with a message naming the character.
ConversionResult toDisplayCode(std::string_view utf8);

// The display code of one character typed on a keyboard or pasted: a Serbian letter of
// either alphabet (Ђ and Đ both give "\\"), or a printable ASCII character, which stands
// for itself. Nothing for any other character.
std::optional<char> typedDisplayCode(char32_t c);

// The Cyrillic text the display font shows for a display-code text, as code points.
std::u32string displayToCyrillic(std::string_view display);

// The same text in Serbian Latin letters: č ć ž š đ for their display letters, and lj nj dž
// for theirs, written LJ NJ DŽ beside another capital ("ZNAWE" is "ZNANJE") and Lj Nj Dž
// otherwise. Every other character stays as it is.
std::u32string displayToLatin(std::string_view display);

// The letters the display code is shown in: Cyrillic as designed, or Serbian Latin by the
// player's choice.
enum class Script { Cyrillic, Latin };

// A display-code text in the letters of `script`.
std::u32string displayIn(std::string_view display, Script script);

// UTF-8 text with its Serbian Cyrillic letters written in Latin ones (љ as lj, Ђ as Đ);
// every other character, Latin file names and digits among them, stays as it is.
std::string cyrillicToLatin(std::string_view utf8);

} // namespace kvz
