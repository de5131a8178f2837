// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Value.h"

#include <gtest/gtest.h>

using kvz::Value;

TEST(Value, aNumberIsReadFromTheStartOfACaptionAndWrittenAsPlainText) {
    // Scores are read back from captions; anything after the number is ignored.
    EXPECT_EQ(kvz::leadingNumber("  530"), 530);
    EXPECT_EQ(kvz::leadingNumber("4000 BODOVA"), 4000);
    EXPECT_EQ(kvz::leadingNumber("-12.5x"), -12.5);
    EXPECT_EQ(kvz::leadingNumber("1.000"), 1.0); // the ladder style is not a plain number
    EXPECT_EQ(kvz::leadingNumber("BODOVA"), 0);
    EXPECT_EQ(kvz::leadingNumber(""), 0);
    EXPECT_EQ(kvz::leadingNumber("-"), 0);
    // And written back as plain text: no exponent, separator or trailing zero.
    EXPECT_EQ(kvz::plainNumberText(4000.0), "4000");
    EXPECT_EQ(kvz::plainNumberText(-500), "-500");
    EXPECT_EQ(kvz::plainNumberText(1000000), "1000000");
    EXPECT_EQ(kvz::plainNumberText(2.5), "2.5");
}

TEST(Value, anAnswerStoredAsTextIsANumberOnlyWhenItIsWhollyOneAndNullOrEmptyIsNone) {
    // Tac is compared as a number even when the bank stores it as text; a word, an empty
    // text or Null must never equal an answer.
    EXPECT_TRUE(Value(2).equalsNumber(2));
    EXPECT_TRUE(Value(2.0).equalsNumber(2));
    EXPECT_TRUE(Value("2").equalsNumber(2));
    EXPECT_TRUE(Value(" 3 ").equalsNumber(3));
    EXPECT_FALSE(Value("2x").equalsNumber(2));
    EXPECT_FALSE(Value("").equalsNumber(0));
    EXPECT_FALSE(Value().equalsNumber(0));
    EXPECT_FALSE(Value("dva").equalsNumber(0));
    // Null and empty text are both "null or empty", zero and a space are not.
    EXPECT_TRUE(Value().isNullOrEmpty());
    EXPECT_TRUE(Value("").isNullOrEmpty());
    EXPECT_FALSE(Value(" ").isNullOrEmpty());
    EXPECT_FALSE(Value(0).isNullOrEmpty());
    EXPECT_EQ(Value().text(), "");
    EXPECT_EQ(Value(true).number(), -1); // a 16-bit True
}

TEST(Value, asWholeNumberRefusesFractionsAndWords) {
    std::int64_t n = 0;
    EXPECT_TRUE(Value("15").asWholeNumber(n));
    EXPECT_EQ(n, 15);
    EXPECT_TRUE(Value(4.0).asWholeNumber(n));
    EXPECT_FALSE(Value(4.5).asWholeNumber(n));
    EXPECT_FALSE(Value("4.5").asWholeNumber(n));
    EXPECT_FALSE(Value("pet").asWholeNumber(n));
    EXPECT_FALSE(Value().asWholeNumber(n));
}
