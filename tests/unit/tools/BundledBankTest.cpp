// The bank the game ships with, as the build made it from assets/bank: deep enough that a
// player meets few repeats, balanced so the right letter cannot be guessed, and annotated.
#include "common/Fixture.h"
#include "data/Database.h"
#include "support/TestSupport.h"

#include <array>
#include <gtest/gtest.h>
#include <set>

using namespace kvz;

TEST(BundledBank, holdsAHundredQuestionsALevelWithNoRightLetterAboveThirtyPercent) {
    const Connection conn(std::string(KVZ_PROGRAM_DIR) + "/Baza.mdb", kDatabasePassword);
    const Json bank = exportDatabase(conn)["tbKviz"];
    std::array<int, 16> perLevel{};
    std::array<std::array<int, 5>, 16> letters{};
    std::set<std::string> texts;
    int explained = 0;
    for (const Json& q : bank) {
        const int level = q["RB"], right = q["Tac"];
        ++perLevel.at(static_cast<std::size_t>(level));
        ++letters.at(static_cast<std::size_t>(level)).at(static_cast<std::size_t>(right));
        if (q["Odred"].is_string() && !q["Odred"].get<std::string>().empty()) ++explained;
        EXPECT_TRUE(texts.insert(q["Pitanje"]).second) << "asked twice: " << q["Pitanje"];
    }
    EXPECT_GE(bank.size(), 1500u);
    EXPECT_GE(2 * explained, static_cast<int>(bank.size())) << "explanations on half at least";
    for (std::size_t level = 1; level <= 15; ++level) {
        EXPECT_GE(perLevel[level], 100) << "level " << level;
        for (std::size_t letter = 1; letter <= 4; ++letter)
            EXPECT_LE(10 * letters[level][letter], 3 * perLevel[level])
                << "level " << level << ", letter " << letter;
    }
}
