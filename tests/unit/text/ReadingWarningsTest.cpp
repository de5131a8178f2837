// SPDX-License-Identifier: GPL-3.0-or-later
// Words written in Latin letters that the Cyrillic display reads otherwise are found, and
// the letters Serbian lacks are spelled the Serbian way.
#include "text/ReadingWarnings.h"

#include <gtest/gtest.h>

using kvz::ReadingWarning;

namespace {

// The warnings of a text as "kind:word>shown", R Roman, A abbreviation, F foreign letters.
std::string warned(const std::string& text) {
    std::string out;
    for (const ReadingWarning& w : kvz::readingWarnings(text)) {
        const char kind = w.kind == ReadingWarning::Kind::RomanNumeral   ? 'R'
                          : w.kind == ReadingWarning::Kind::Abbreviation ? 'A'
                                                                         : 'F';
        out += (out.empty() ? "" : " ") + std::string(1, kind) + ":" + w.word + ">" + w.shown;
    }
    return out;
}

} // namespace

TEST(ReadingWarnings, romanNumeralsAreFoundAndLoneLettersOnlyAfterAName) {
    EXPECT_EQ(warned("Petar II i Luj XIV"), "R:II>ИИ R:XIV>КСИВ");
    EXPECT_EQ(warned("Petar I Karađorđević"), "R:I>И");
    EXPECT_EQ(warned("Петар II"), "R:II>ИИ") << "a Latin numeral in a Cyrillic text";
    EXPECT_EQ(warned("Karlo V, car"), "R:V>В");
    // Not numerals: a sentence's first word, a letter after a small word, a badly formed one.
    EXPECT_EQ(warned("I ja. Vitamin C je kiselina, a V je slovo."), "");
    EXPECT_EQ(warned("Prvo. I drugo"), "");
}

TEST(ReadingWarnings, abbreviationsAndForeignLettersInLatinAreFoundCyrillicNever) {
    EXPECT_EQ(warned("Šta nosi DNA?"), "A:DNA>ДНА");
    EXPECT_EQ(warned("ČSSR, SAD"), "A:ČSSR>ЧССР A:SAD>САД");
    EXPECT_EQ(warned("Gdje je New York?"), "F:New>Нев F:York>Јорк");
    EXPECT_EQ(warned("Wi-Fi i WWW"), "F:Wi>Ви F:WWW>ВВВ");
    EXPECT_EQ(warned("Шта носи ДНК? Њујорк."), "");
    EXPECT_EQ(warned("Obična rečenica, bez iznenađenja: 1999."), "");
}

TEST(ReadingWarnings, lettersSerbianLacksAreSpelledTheSerbianWay) {
    EXPECT_EQ(kvz::withSerbianLetters("Quebec, xerox, New York, Byron, Yeti"),
              "Kvebec, kseroks, Nev Jork, Biron, Jeti");
    EXPECT_EQ(kvz::withSerbianLetters("QUIZ, XL, Xaver"), "KVIZ, KSL, Ksaver");
    EXPECT_EQ(kvz::withSerbianLetters("Ćevapi i ђеврек"), "Ćevapi i ђеврек");
}
