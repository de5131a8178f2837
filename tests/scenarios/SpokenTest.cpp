// SPDX-License-Identifier: GPL-3.0-or-later
// What a listening player hears: the announcements the driver prints as "say" events, in
// order, played on the sample bank (A is right at every level).
#include "GameScript.h"
#include "support/ScriptSupport.h"

#include <functional>
#include <gtest/gtest.h>

using namespace kvz;
using namespace kvz::test;

namespace {

// The announcements of a dump, an assertive one marked with a leading "!".
std::vector<std::string> said(const Json& dump) {
    std::vector<std::string> out;
    for (const Json& e : dump["events"])
        if (e.contains("say"))
            out.push_back((e["priority"] == "assertive" ? "!" : "") + e["say"].get<std::string>());
    return out;
}

using Lines = std::vector<std::string>;

struct Case {
    const char* name;
    // Plays on from question 1 on screen (already dumped) to what is heard.
    std::function<void(GameScript&)> play;
    Lines heard;
};

} // namespace

TEST(Spoken, eachMomentOfTheGameIsSaidInReadingOrderAndTheVerdictCutsIn) {
    const std::vector<Case> cases = {
        {"a marked answer and its withdrawal",
         [](GameScript& g) { g.line("key 66").line("key 78"); },
         {"!Б: други", "Је ли то коначан одговор?"}},
        {"a right answer",
         [](GameScript& g) { g.line("key 65").line("key 68"); },
         {"!А: први", "Је ли то коначан одговор?", "!ТАЧНО!!!"}},
        {"a wrong answer played out to the start screen",
         [](GameScript& g) { g.line("key 66").line("key 68").waitFor(6 * 800); },
         {"!Б: други", "Је ли то коначан одговор?", "!Жао нам је! Погрешан одговор!",
          "Тачан одговор је А: први", "Освојили сте: 0 БОДОВА  до питања број 1", "РЕКОРДЕРИ"}},
        {"50:50 keeping A and B",
         [](GameScript& g) { g.line("rnd 0.3").line("key 70"); },
         {"!А: први", "Б: други"}},
        {"the friend's call to its end",
         [](GameScript& g) { g.line("rnd 0").line("key 84").waitFor(30 * 700); },
         {"!Пријатељ: Одговор је - А", "Ана: Колико си сигуран?", "Пријатељ: 97 %"}},
        {"the audience's chart once complete",
         [](GameScript& g) { g.line("rnd 0").line("key 80").waitFor(13 * 700); },
         {"!РЕЗУЛТАТИ", "А: 49 %", "Б: 19 %", "В: 31 %", "Г: 1 %"}},
        {"walking away after one right answer, then the list with the new result",
         [](GameScript& g) { g.answerRight().waitForBonusTick(0).dump("q2").line("key 79"); },
         {"!Освојени износ: 100", "РЕКОРДЕРИ", "Ана 1 - 100"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GameScript game;
        game.waitForBonusTick(0).dump("q");
        c.play(game);
        game.dump("heard");
        auto dumps = play(game);
        EXPECT_EQ(said(dumpLabelled(dumps, "q")),
                  (Lines{"!Питање 1.1", "А: први", "Б: други", "В: трећи", "Г: четврти"}));
        EXPECT_EQ(said(dumpLabelled(dumps, "heard")), c.heard);
    }
}

TEST(Spoken, theTopPrizeIsSaidWithTheWinnersListAndTheLatinChoiceRewritesEveryLine) {
    const struct {
        const char* setUp;
        Lines question, won;
    } runs[] = {
        {"",
         {"!Питање 15.1", "А: први", "Б: други", "В: трећи", "Г: четврти"},
         {"!А: први", "Је ли то коначан одговор?", "!ТАЧНО!!!",
          "Ко има ЗНАЊЕ - не треба му МИЛИОН!", "РЕКОРДЕРИ", "Ана 15 - 16000"}},
        {"latin\n",
         {"!Pitanje 15.1", "A: prvi", "B: drugi", "V: treći", "G: četvrti"},
         {"!A: prvi", "Je li to konačan odgovor?", "!TAČNO!!!",
          "Ko ima ZNANJE - ne treba mu MILION!", "REKORDERI", "Ana 15 - 16000"}},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(*run.setUp ? "Latin" : "Cyrillic");
        GameScript game;
        game.playTo(15).dump("q15").confirm(1).dump("won");
        auto dumps = ProgramFolder().run(run.setUp + game.text());
        const Lines before = said(dumpLabelled(dumps, "q15"));
        ASSERT_GE(before.size(), 5u);
        EXPECT_EQ(Lines(before.end() - 5, before.end()), run.question);
        EXPECT_EQ(said(dumpLabelled(dumps, "won")), run.won);
    }
}
