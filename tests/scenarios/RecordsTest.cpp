// SPDX-License-Identifier: GPL-3.0-or-later
// What an ended game leaves in the record-holder list, read from the exported database.
#include "GameScript.h"
#include "support/ScriptSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace kvz;
using namespace kvz::test;

namespace {

// Long enough for any ending sequence to run out.
constexpr std::int64_t kSettle = 10000;

// Plays `game` on a fresh sample folder (ten free rows) and returns the result rows that
// changed.
std::vector<Json> storedAfter(GameScript& game, std::vector<Json>* dumps = nullptr) {
    ProgramFolder folder;
    Json before = folder.exportDatabase()["tbRezultati"];
    auto ran = folder.run("date 2026-03-14\n" + game.text());
    if (dumps) *dumps = ran;
    Json after = folder.exportDatabase()["tbRezultati"];
    std::vector<Json> changed;
    for (std::size_t i = 0; i < after.size(); ++i)
        if (after[i] != before[i]) changed.push_back(after[i]);
    return changed;
}

void expectRow(const std::vector<Json>& changed, int rb, double skor) {
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0]["Ime"], "Ana");
    EXPECT_EQ(changed[0]["RB"], rb);
    EXPECT_EQ(changed[0]["Skor"], skor);
    EXPECT_EQ(changed[0]["Datum"], "2026-03-14");
}

} // namespace

TEST(Records, aGameEndedAfterItsFirstQuestionStoresTheQuestionsAnsweredAndThePointsWon) {
    GameScript lostAtOne, lostAtTwo, walkedAway, won;
    lostAtOne.waitForBonusTick(0).confirm(2).waitFor(kSettle);
    EXPECT_TRUE(storedAfter(lostAtOne).empty());
    lostAtTwo.playTo(2).confirm(2).waitFor(kSettle);
    expectRow(storedAfter(lostAtTwo), 1, 100);
    walkedAway.playTo(3).line("click lblIzlaz").waitFor(kSettle);
    expectRow(storedAfter(walkedAway), 2, 300);
    // 100 + 200 + ... + 1400 points, the 1500 at stake on the last question, and 4000 for
    // three jokers and the answer check never used.
    won.playTo(15).confirm(1).waitFor(kSettle);
    expectRow(storedAfter(won), 15, 10500 + 1500 + 4000);
}

TEST(Records, aGameIsOfferedToTheListOnceHoweverItEnds) {
    // A wrong answer confirmed twice by a double click, then Esc during its sequence.
    GameScript doubleClick;
    doubleClick.playTo(2).line("click lblKviz(2)").line("dblclick lblDANE(0)");
    doubleClick.line("click lblDANE(0)").waitFor(1000).line("key 27");
    expectRow(storedAfter(doubleClick), 1, 100);

    // Walking away once the top prize is won, after the celebration's "TA^NO!!!" has gone
    // and before the button turns to "Izlaz".
    GameScript afterWin;
    afterWin.playTo(15).confirm(1).waitFor(3000).line("click lblIzlaz").dump("walked");
    afterWin.waitFor(kSettle);
    std::vector<Json> dumps;
    expectRow(storedAfter(afterWin, &dumps), 15, 16000);
    EXPECT_EQ(caption(dumpLabelled(dumps, "walked"), "lblStart"), "Start") << "the walk-away ran";
    expectRow(storedAfter(afterWin), 15, 16000);
}

TEST(Records, theListOnScreenShowsAStoredResultFromTheNextGameOn) {
    GameScript game;
    game.playTo(3).line("click lblIzlaz").dump("walked");
    game.line("focus Text1").line("type \"Mika\"").line("click lblStart").dump("next");
    std::vector<Json> dumps;
    storedAfter(game, &dumps);
    EXPECT_EQ(caption(dumpLabelled(dumps, "walked"), "lblSampioni(1)"), "");
    EXPECT_EQ(caption(dumpLabelled(dumps, "next"), "lblSampioni(1)"), "Ana 2 - 300");
}
