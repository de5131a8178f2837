// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/DisplayCode.h"

#include <gtest/gtest.h>

using kvz::toDisplayCode;

namespace {
std::string display(const std::string& utf8) {
    auto r = toDisplayCode(utf8);
    EXPECT_TRUE(r.ok()) << utf8 << ": " << r.error;
    return r.text;
}
} // namespace

TEST(DisplayCode, cyrillicBecomesDisplayCodeLetterForLetter) {
    EXPECT_EQ(display("ТАЧНО!!!"), "TA^NO!!!");
    EXPECT_EQ(display("Пријатељ"), "Prijateq");
    EXPECT_EQ(display("Замијени питање"), "Zamijeni pitawe");
    EXPECT_EQ(display("ЈА ХОЋУ ДА ЗНАМ!!!"), "JA HO]U DA ZNAM!!!");
    EXPECT_EQ(display("жЖ шШ ђЂ ћЋ чЧ љЉ њЊ џЏ"), "`@ {[ |\\ }] ~^ qQ wW xX");
    EXPECT_EQ(display("Цвијеће у Гучи, 1961. године (фото)"),
              "Cvije}e u Gu~i, 1961. godine (foto)");
    EXPECT_EQ(display("„Да“ – рекао је…"), "\"Da\" - rekao je...");
    // Only a Latin pair is a digraph; "нј" typed in mixed scripts stays two letters.
    EXPECT_EQ(display("нj"), "nj");
}

TEST(DisplayCode, latinWithDiacriticsAndDigraphsBecomesTheSameCode) {
    EXPECT_EQ(display("žŽ šŠ đĐ ćĆ čČ"), "`@ {[ |\\ }] ~^");
    EXPECT_EQ(display("Ljubav i njiva, džem"), "Qubav i wiva, xem");
    EXPECT_EQ(display("LJUBAV NJIVA DŽEM"), "QUBAV WIVA XEM");
    EXPECT_EQ(display("Ljiljana"), "Qiqana");
    EXPECT_EQ(display("konj, Džon, ljiljan"), "kow, Xon, qiqan");
    EXPECT_EQ(display("Đorđe Čavić"), "\\or|e ^avi}");
}

TEST(DisplayCode, cyrillicAndLatinSpellingsOfAWordAgree) {
    for (auto [cyr, lat] : {std::pair{"Његош", "Njegoš"},
                            {"Љубљана", "Ljubljana"},
                            {"џез", "džez"},
                            {"Ђурђевак", "Đurđevak"},
                            {"Шабац", "Šabac"}})
        EXPECT_EQ(display(cyr), display(lat)) << cyr;
}

TEST(DisplayCode, refusesWhatTheDisplayCodeCannotHold) {
    for (const char* bad : {"New York", "Wi-Fi", "xerox", "y", "a@b", "[1]", "a~b", "a|b", "a\\b",
                            "a^b", "a`b", "{x}", "Ωmega", "tab\there", "\xC3\x28"})
        EXPECT_FALSE(toDisplayCode(bad).ok()) << bad;
    EXPECT_NE(toDisplayCode("Wien").error.find("'W'"), std::string::npos);
}

// With the letters pinned one way above, the way back is pinned by the round trip.
TEST(DisplayCode, everyLetterSurvivesTheWayThereAndBack) {
    std::string all = "abvgd|e`zijklqmnwoprst}ufhc~x{ABVGD\\E@ZIJKLQMNWOPRST]UFHC^X[";
    EXPECT_EQ(display(kvz::encodeUtf8(kvz::displayToCyrillic(all))), all);
}

TEST(DisplayCode, decodeUtf8RejectsMalformedAndOverlongSequences) {
    EXPECT_FALSE(kvz::decodeUtf8("\xC0\xAF"));        // overlong '/'
    EXPECT_FALSE(kvz::decodeUtf8("\xED\xA0\x80"));    // surrogate
    EXPECT_FALSE(kvz::decodeUtf8("\xE0\xA4"));        // cut short
    EXPECT_TRUE(kvz::decodeUtf8("\xF0\x9F\x98\x80")); // a four-byte character
}

TEST(DisplayCode, displayCodeIsShownInSerbianLatinWithItsDigraphs) {
    auto latin = [](const std::string& code) { return kvz::encodeUtf8(kvz::displayToLatin(code)); };
    EXPECT_EQ(latin("TA^NO!!!"), "TAČNO!!!");
    EXPECT_EQ(latin("@ao nam je! Pogre{an odgovor!"), "Žao nam je! Pogrešan odgovor!");
    EXPECT_EQ(latin("Ko ima ZNAWE - ne treba mu MILION!"), "Ko ima ZNANJE - ne treba mu MILION!");
    EXPECT_EQ(latin("Qubav, Wego{, Xon, QQ"), "Ljubav, Njegoš, Džon, LJLJ");
    EXPECT_EQ(latin("XEM \\ORXE X"), "DŽEM ĐORDŽE Dž");
    EXPECT_EQ(latin("1.000.000 %"), "1.000.000 %");
}

TEST(DisplayCode, latinReadsBackAsTheSameDisplayCode) {
    // Every letter, in words of small letters, of capitals and with one capital first.
    for (const std::string code :
         {"abvgd|e`zijklqmnwoprst}ufhc~x{", "ABVGD\\E@ZIJKLQMNWOPRST]UFHC^X[", "Qubav Wego{ Xem",
          "Prijateq: Odgovor je - A", "Ne}u da budem kvizomat!"})
        EXPECT_EQ(display(kvz::encodeUtf8(kvz::displayToLatin(code))), code) << code;
}

TEST(DisplayCode, cyrillicMessagesReadInLatinWithFileNamesAndDigitsUntouched) {
    EXPECT_EQ(kvz::cyrillicToLatin("Датотека Baza.mdb је оштећена."),
              "Datoteka Baza.mdb je oštećena.");
    EXPECT_EQ(kvz::cyrillicToLatin("ЉУБАВ, Љубав, Њиве, Џеп, ЂОРЂЕ: 10 %"),
              "LJUBAV, Ljubav, Njive, Džep, ĐORĐE: 10 %");
    EXPECT_EQ(kvz::cyrillicToLatin("kvizomat --dir ФАСЦИКЛА"), "kvizomat --dir FASCIKLA");
    EXPECT_EQ(kvz::cyrillicToLatin("\xC0\xAF"), "\xC0\xAF"); // not UTF-8: left as it is
}
