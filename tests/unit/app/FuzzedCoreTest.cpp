// SPDX-License-Identifier: GPL-3.0-or-later
// Long seeded random sequences of window events straight against the core: clicks, double
// clicks, moves, keys, typing, focus changes, resizes and timer ticks, with the game's rules
// checked after every event. A failure names the seed and the event, so it replays.
//
// A short run takes part in every test run; for a long one set KVZ_FUZZ_EVENTS (events per
// seed), KVZ_FUZZ_SEEDS (how many seeds) and KVZ_FUZZ_FIRST_SEED. Each seed plays on a fresh
// bank of four questions a level.
#include "app/Form1.h"
#include "app/VirtualClock.h"
#include "script/StateDump.h"
#include "support/FakePlatform.h"
#include "support/TestSupport.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <random>

using namespace kvz;
using namespace kvz::test;

namespace {

// What the file holds that the rules speak of.
struct Stored {
    std::int64_t start = 0, friendCalls = 0, audienceVotes = 0;
    std::vector<std::vector<Value>> results;
};

Stored readStored(const Connection& conn) {
    Stored s;
    auto st = conn.prepare("SELECT Start, Tac + Netac, PTac + PNetac FROM tbStat");
    st.step();
    s.start = static_cast<std::int64_t>(st.column(0).number());
    s.friendCalls = static_cast<std::int64_t>(st.column(1).number());
    s.audienceVotes = static_cast<std::int64_t>(st.column(2).number());
    auto rows = conn.prepare("SELECT * FROM tbRezultati ORDER BY rowid");
    while (rows.step()) s.results.push_back(rows.row());
    return s;
}

struct Totals {
    std::int64_t events = 0, games = 0, wins = 0, friendCalls = 0, audienceVotes = 0,
                 resultsStored = 0, restarts = 0, highestQuestion = 0;
};

// The window as an observer sees it, with what it asked of the machine.
Json observe(Form1& form, const FakePlatform& platform) {
    return {script::dumpControls(form),
            script::dumpTimers(form),
            script::dumpFields(form),
            form.focus ? form.focus->key() : "",
            form.ended,
            platform.beeps,
            platform.sounds.size()};
}

class CoreFuzzer {
  public:
    CoreFuzzer(std::uint64_t seed, const std::string& folder, Totals& totals)
        : random_(seed), reader_(folder + "/Baza.mdb", kDatabasePassword), totals_(totals) {
        platform_.folder = folder;
        // Every other seed commits behind the game, as the desktop program does.
        if (seed % 2 == 0) platform_.database = DatabaseMode::WriteBehind;
        open();
        stored_ = readStored(reader_);
    }

    // One random event (a few for a guided move), each followed by the checks. Phases of
    // play, which take games deep into the ladder, alternate with phases of anything at
    // all. Returns the first rule broken, or "".
    std::string step() {
        if (form_->ended) {
            open();
            ++totals_.restarts;
        }
        if (--phaseLeft_ <= 0) {
            playing_ = pick(2) == 0;
            phaseLeft_ = 100 + pick(400);
        }
        return playing_ ? play() : anything();
    }

    const std::string& lastEvent() const { return event_; }
    std::int64_t events() const { return events_; }

  private:
    using Action = std::function<void()>;

    std::string play() {
        int kind = pick(100);
        if (kind < 40) return wait(1 + pick(1500));
        if (kind < 70) return answerRight();
        if (kind < 80) return clickControl(form_->Image2[pick(8)]);
        if (kind < 85) return clickControl(form_->lblHvala[0]);
        if (kind < 92) return key(gameKey());
        if (kind < 97) return startGame();
        return anything();
    }

    std::string anything() {
        int kind = pick(1000);
        if (kind < 240) return clickControl(gameControl());
        if (kind < 300) return clickControl(anyControl());
        if (kind < 350)
            return deliver("dblclick", target(), [&](Control& c) { return form_->dblClick(c); });
        if (kind < 410)
            return deliver("move", form_->lblKviz[pick(5)],
                           [&](Control& c) { return form_->mouseMove(c); });
        if (kind < 550) return key(gameKey());
        if (kind < 620) return type(pick(256));
        if (kind < 660) return focus(pick(4) != 0);
        if (kind < 680) return resize();
        if (kind < 860) return wait(1 + pick(2500));
        if (kind < 920) return tick(*form_->timers()[static_cast<std::size_t>(pick(6))]);
        if (kind < 998) return answerRight();
        return leave();
    }

    // A name typed into the name box and Start clicked.
    std::string startGame() {
        std::string broken = focus(true);
        for (char c : std::string("ana"))
            if (broken.empty()) broken = type(c);
        return broken.empty() ? clickControl(form_->lblStart) : broken;
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    void open() {
        platform_.seed = pick(1 << 20);
        form_ = std::make_unique<Form1>(platform_, generator_);
        clock_ = std::make_unique<VirtualClock>(*form_);
        form_->Main();
        clock_->sync();
    }

    // The controls a game is played with (the shown exit button only while in a game); the
    // exits are left to leave().
    Control& gameControl() {
        Form1& f = *form_;
        Control& inGameExit = f.lblIzlaz.caption == "Izlaz" ? f.lblNajava[3] : f.lblIzlaz;
        Control* const choices[] = {&f.lblStart,
                                    &f.lblKviz[pick(5)],
                                    &f.lblDANE[pick(2)],
                                    &f.Image2[pick(8)],
                                    &f.Image2[pick(8)],
                                    &f.lblHvala[pick(5)],
                                    &inGameExit,
                                    &f.lblZamjena,
                                    &f.imgVoditelj,
                                    &f.lblNajava[pick(4)],
                                    pick(2) ? &f.imgHelp : &f.lblInfo,
                                    pick(2) ? &f.imgMilion : &f.Text1};
        return *choices[pick(static_cast<int>(std::size(choices)))];
    }

    Control& anyControl() {
        auto all = form_->controls();
        Control* c = all[static_cast<std::size_t>(pick(static_cast<int>(all.size())))];
        bool exits = c == &form_->imgOUT || (c == &form_->lblIzlaz && c->caption == "Izlaz");
        return exits ? form_->picHelp : *c;
    }

    Control& target() { return pick(2) ? gameControl() : anyControl(); }

    int gameKey() {
        static const int keys[] = {'A', 'B', 'V', 'G', '1', '2', '3',         '4',     'D',
                                   'N', 'F', 'T', 'P', 'H', 'O', keys::Enter, keys::F1};
        if (pick(10) == 0) {
            int k = pick(256);
            return k == keys::Esc ? 'X' : k;
        }
        return keys[pick(static_cast<int>(std::size(keys)))];
    }

    std::string clickControl(Control& c) {
        return deliver("click", c, [&](Control& t) { return form_->click(t); });
    }

    // A key stroke as the hosts deliver it: the character it types, then its release.
    std::string key(int code) {
        return deliver("key " + std::to_string(code), [&] {
            bool letter = code >= 'A' && code <= 'Z';
            bool types = letter || (code >= '0' && code <= '9') || code == keys::Enter;
            if (types) form_->keyPress(letter ? code - 'A' + 'a' : code);
            form_->keyUp(code);
        });
    }

    std::string type(int ascii) {
        return deliver("type " + std::to_string(ascii), [&] { form_->keyPress(ascii); });
    }

    std::string focus(bool nameBox) {
        return deliver(nameBox ? "focus Text1" : "blur",
                       [&] { form_->setFocus(nameBox ? &form_->Text1 : nullptr); });
    }

    std::string resize() {
        int w = pick(4) == 0 ? pick(3000) : 6000 + pick(20000);
        int h = pick(4) == 0 ? pick(3000) : 5000 + pick(15000);
        return deliver("resize " + std::to_string(w) + " " + std::to_string(h),
                       [&] { form_->resize(w, h); });
    }

    std::string wait(int ms) {
        return deliver("wait " + std::to_string(ms), [&] { clock_->advance(ms); });
    }

    std::string tick(Timer& t) {
        return deliver("tick " + t.name(), [&] { clock_->fire(t); });
    }

    // Marks the right answer of the question on screen and confirms it, so that games go
    // deep into the ladder; otherwise waits a little.
    std::string answerRight() {
        std::int64_t right = 0;
        if (!form_->RsQuestion || !form_->RsQuestion->tac.asWholeNumber(right) || right < 1 ||
            right > 4)
            return wait(100);
        std::string broken = clickControl(form_->lblKviz[static_cast<int>(right)]);
        return broken.empty() ? clickControl(form_->lblDANE[0]) : broken;
    }

    // Rarely, the ways out of the program.
    std::string leave() {
        const int way = pick(3);
        return way == 0 ? key(keys::Esc) : clickControl(way == 1 ? form_->imgOUT : form_->lblIzlaz);
    }

    // An event aimed at a control: a hidden one must not react at all.
    std::string deliver(const std::string& what, Control& c,
                        const std::function<bool(Control&)>& send) {
        bool hidden = !c.shown() && !form_->ended;
        const Json before = hidden ? observe(*form_, platform_) : Json();
        bool reached = false;
        std::string broken = deliver(what + " " + c.key(), [&] { reached = send(c); });
        if (!broken.empty() || !hidden) return broken;
        if (reached) return "a hidden control took the event";
        if (observe(*form_, platform_) != before) return "a hidden control changed the window";
        return "";
    }

    std::string deliver(const std::string& what, const Action& action) {
        event_ = what;
        ++events_;
        ++totals_.events;
        Snapshot before = snapshot();
        try {
            action();
        } catch (const std::exception& e) {
            return std::string("an exception escaped: ") + e.what();
        }
        clock_->sync();
        return check(before);
    }

    struct Snapshot {
        bool atStart, friendShown, audienceShown, won;
    };

    Snapshot snapshot() const {
        const Form1& f = *form_;
        return {f.lblStart.caption == "Start", f.Image2[3].visible, f.Image2[5].visible,
                f.WinCelebrating == True};
    }

    // The rules after every event.
    std::string check(const Snapshot& before) {
        Form1& f = *form_;
        if (!platform_.messages.empty()) return "a message: " + platform_.messages.front().text;
        if (f.QuestionNo < 1 || f.QuestionNo > 15) return "QuestionNo out of 1..15";
        if (f.Label1[1].caption.starts_with("RB ")) return "a joker failed: " + f.Label1[1].caption;
        bool inGame = !f.ended && f.lblStart.caption != "Start";
        if (inGame && orangeRungs() != 1)
            return "a game shows " + std::to_string(orangeRungs()) + " orange rungs";
        if (inGame)
            totals_.highestQuestion = std::max<std::int64_t>(totals_.highestQuestion, f.QuestionNo);
        if (!before.won && f.WinCelebrating == True) ++totals_.wins;
        return checkStored(before);
    }

    int orangeRungs() const {
        int n = 0;
        for (int i = 1; i <= 15; ++i)
            n += form_->Label3[i].back == kOrange || form_->lblCIFRA[i].back == kOrange ? 1 : 0;
        return n;
    }

    // Each counter grows by one exactly when its cause happened, and a game stores at most
    // one result.
    std::string checkStored(const Snapshot& before) {
        const Form1& f = *form_;
        if (f.Writes) f.Writes->settle();
        Stored now = readStored(reader_);
        bool started = before.atStart && f.lblStart.caption != "Start";
        bool called = !before.friendShown && f.Image2[3].visible;
        bool asked = !before.audienceShown && f.Image2[5].visible;
        if (now.start - stored_.start != (started ? 1 : 0)) return "Start did not follow the games";
        if (now.friendCalls - stored_.friendCalls != (called ? 1 : 0))
            return "Tac/Netac did not follow the calls";
        if (now.audienceVotes - stored_.audienceVotes != (asked ? 1 : 0))
            return "PTac/PNetac did not follow the votes";
        if (now.results.size() != stored_.results.size()) return "results were added or removed";
        if (started) {
            ++totals_.games;
            resultsThisGame_ = 0;
        }
        totals_.friendCalls += called ? 1 : 0;
        totals_.audienceVotes += asked ? 1 : 0;
        int changed = 0;
        for (std::size_t i = 0; i < now.results.size(); ++i)
            changed += now.results[i] != stored_.results[i] ? 1 : 0;
        stored_ = std::move(now);
        totals_.resultsStored += changed > 0 ? 1 : 0;
        const bool twice = changed > 1 || (changed == 1 && ++resultsThisGame_ > 1);
        return twice ? "a game stored more than one result" : "";
    }

    std::mt19937_64 random_;
    Connection reader_;
    Totals& totals_;
    FakePlatform platform_;
    Generator generator_;
    std::unique_ptr<Form1> form_;
    std::unique_ptr<VirtualClock> clock_;
    Stored stored_;
    int resultsThisGame_ = 0;
    bool playing_ = false;
    int phaseLeft_ = 0;
    std::string event_;
    std::int64_t events_ = 0;
};

} // namespace

TEST(FuzzedCore, randomEventsNeverBreakTheGamesRules) {
    const std::int64_t events = countFromEnvironment("KVZ_FUZZ_EVENTS", 5000);
    const std::int64_t seeds = countFromEnvironment("KVZ_FUZZ_SEEDS", 3);
    const std::int64_t firstSeed = countFromEnvironment("KVZ_FUZZ_FIRST_SEED", 1);
    Totals totals;
    auto began = std::chrono::steady_clock::now();
    for (std::int64_t seed = firstSeed; seed < firstSeed + seeds; ++seed) {
        TempDir dir;
        createDatabase(dir.file("Baza.mdb"), sampleFixture(4));
        CoreFuzzer fuzzer(static_cast<std::uint64_t>(seed), dir.path().string(), totals);
        while (fuzzer.events() < events) {
            std::string broken = fuzzer.step();
            ASSERT_TRUE(broken.empty())
                << "seed " << seed << ", event " << fuzzer.events() << " (" << fuzzer.lastEvent()
                << "): " << broken << "\n  replay: KVZ_FUZZ_FIRST_SEED=" << seed
                << " KVZ_FUZZ_SEEDS=1 KVZ_FUZZ_EVENTS=" << fuzzer.events();
        }
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::cout << "fuzzed core: seeds " << firstSeed << ".." << firstSeed + seeds - 1 << ", "
              << totals.events << " events in " << seconds << " s; " << totals.games << " games, "
              << totals.wins << " won, highest question " << totals.highestQuestion << ", "
              << totals.friendCalls << " calls, " << totals.audienceVotes << " votes, "
              << totals.resultsStored << " results stored, " << totals.restarts << " restarts\n";
    EXPECT_GT(totals.games, 0);
}
