// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/Names.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace kvz {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

TEST(ProperCaseName, capitalisesEachWordAndDropsEdgeAndRepeatedSeparators) {
    // A name is lower-cased, stripped of blanks and hyphens at its edges, keeps one
    // separator between words and starts every word with a capital.
    const Pairs cases = {
        {"  ana--marija  ", "Ana-Marija"},
        {"a - b", "A B"}, // the hyphen after a blank is dropped
        {"a- b", "A-B"},
        {"PERA KOVA^", "Pera Kova~"},
        {"[ARI]", "[ari}"}, // special capitals only change by word position
        {"d@ak", "D`ak"},
        {"-- ana --", "Ana"},
        {"a  -b", "A B"},
        {"", ""},
        {"   ", ""},
        {" - -- ", ""},
    };
    for (const auto& [typed, expected] : cases) {
        std::string s = typed;
        EXPECT_EQ(ProperCaseName(s), expected) << '"' << typed << '"';
        EXPECT_EQ(s, expected) << "the argument is changed too";
    }
}

TEST(ProperCaseName, leavesAnAlreadyStoredNameAsItIs) {
    // The name box normalises again when it loses the focus after a game has started
    // with the joined name, so a stored name must come through unchanged.
    for (std::string typed : {"ljiljana njegovan", "d@ak-qubica", "PERA KOVA^", "nnj"}) {
        std::string stored = JoinLetterPairs(ProperCaseName(typed));
        std::string again = stored;
        EXPECT_EQ(ProperCaseName(again), stored) << typed;
    }
}

TEST(UpperAndLowerDisplay, mapTheFiveSpecialLettersBetweenTheirCasesAndOrdinaryOnesOnlyUp) {
    // Small and capital forms of ž, š, đ, ć, č in the display code.
    const std::string small = "`{|}~", capital = "@[\\]^";
    for (std::size_t i = 0; i < small.size(); ++i) {
        char c = small[i];
        EXPECT_EQ(UpperDisplay(c), capital[i]);
        EXPECT_EQ(c, capital[i]) << "the argument is changed too";
        EXPECT_EQ(LowerDisplay(c), small[i]);
        EXPECT_EQ(c, small[i]);
    }
    char w = 'w', tilde = '~', capitalW = 'W', digit = '7';
    EXPECT_EQ(UpperDisplay(w), 'W');
    EXPECT_EQ(UpperDisplay(tilde), '^');
    EXPECT_EQ(LowerDisplay(capitalW), 'W');
    EXPECT_EQ(UpperDisplay(digit), '7');
    EXPECT_EQ(LowerDisplay(digit), '7');
}

TEST(JoinLetterPairs, joinsNjLjAndDzIntoOneLetterEach) {
    const Pairs cases = {
        {"Njiva", "Wiva"}, {"konj", "kow"}, {"Ljiljana", "Qiqana"},  {"NJ", "NJ"},
        {"j", "j"},        {"D`ak", "Xak"}, {"ud`benik", "uxbenik"}, {"D@", "D@"},
        {"nnj", "nw"},     {"nwj", "nwj"},  {" Lj ", "Q"},
    };
    for (const auto& [given, expected] : cases)
        EXPECT_EQ(JoinLetterPairs(given), expected) << given;
}

TEST(FilterNameKey, passesTheLettersOfTheDisplayCodeAndFewOtherKeysOnly) {
    // Backspace, Enter, blank, hyphen, full stop, and every letter of the display code:
    // A..Z and a..z without Y and y, and the five special letters in both cases.
    const std::string passing = std::string("\b\r -.") + "ABCDEFGHIJKLMNOPQRSTUVWXZ" +
                                "abcdefghijklmnopqrstuvwxz" + "`{|}~@[\\]^";
    for (int code = 0; code <= 255; ++code) {
        bool expected = passing.find(static_cast<char>(code)) != std::string::npos;
        int key = code;
        EXPECT_EQ(FilterNameKey(key), expected) << "key code " << code;
        EXPECT_EQ(key, expected ? code : 0) << "key code " << code;
    }
}

} // namespace
} // namespace kvz
