// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Form1.h"
#include "app/VirtualClock.h"
#include "core/Generator.h"
#include "script/ScriptedPlatform.h"

#include <chrono>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace kvz::bench {

// A copy of the program folder the build puts together, in a fresh temporary folder that
// is removed with it; the games write their counters and results there.
class ProgramCopy {
  public:
    explicit ProgramCopy(const std::string& from = KVZ_PROGRAM_DIR);
    ~ProgramCopy();
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// How long each kind of event took, in nanoseconds, one entry per delivery.
using EventTimes = std::map<std::string, std::vector<double>>;

// The value below which the fraction `q` of `sorted` (ascending, not empty) lies.
inline double percentile(const std::vector<double>& sorted, double q) {
    return sorted[static_cast<std::size_t>(q * static_cast<double>(sorted.size() - 1))];
}

// The game's core on a program folder, under a virtual clock, as the headless driver runs
// it, with a player that plays whole games through the window's events. Every event it
// delivers (clicks and timer ticks) is timed when `times` is given.
class CoreSession {
  public:
    explicit CoreSession(const std::string& folder, EventTimes* times = nullptr,
                         DatabaseMode database = DatabaseMode::Direct);

    Form1& form() { return form_; }
    VirtualClock& clock() { return clock_; }

    // The start-up procedure, then the name typed into the name box.
    void start(const std::string& name = "Ana");

    // Names the answer (1..4) to confirm at question `q` whose right answer is `right`; it
    // may use jokers first.
    using Chooser = std::function<int(int q, int right)>;

    // One whole game from the start screen: Start, then each question, once on screen,
    // answered as `choose` says; the game goes on while the answers are right, and ends
    // when the start screen is back.
    void playGame(const Chooser& choose);

    // Start clicked, and question 1 on screen.
    void startGame();

    void click(Control& c);
    void fiftyFifty();
    void askAudience();
    void callFriend();

    // Fires the clock's ticks one by one until `done` holds; false when no timer runs any
    // more or a minute of virtual time passed first.
    bool runUntil(const std::function<bool()>& done);

  private:
    void restBeforeClick();
    template <typename Event> void timed(const std::string& kind, Event&& event);
    void answer(int k);

    script::ScriptedPlatform platform_;
    Generator rnd_;
    Form1 form_;
    VirtualClock clock_;
    EventTimes* times_;
};

// The program started on its own copy of a program folder.
struct StartedProgram {
    explicit StartedProgram(const std::string& from = KVZ_PROGRAM_DIR, EventTimes* times = nullptr,
                            DatabaseMode database = DatabaseMode::Direct)
        : folder(from), session(folder.path(), times, database) {
        session.start();
    }
    Form1& form() { return session.form(); }

    ProgramCopy folder;
    CoreSession session;
};

// The longest game: every question answered right (with 50:50 at question 3, the audience
// at 5 and the friend at 7) up to a wrong answer to the last one.
void playFullGame(CoreSession& session);

// A game as a simulation plays it: random answers until the first wrong one.
void playRandomGame(CoreSession& session, std::mt19937& draws);

} // namespace kvz::bench
