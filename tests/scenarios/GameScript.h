// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Builds driver scripts that play a game on the sample bank, where answer A is right at
// every level, keeping the virtual time so that each step can be placed on the real
// timer periods.
#include "support/ScriptSupport.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace kvz::test {

// Periods of the sequences, in virtual milliseconds.
inline constexpr std::int64_t kAnnouncement = 6000; // ten steps of 600 ms
inline constexpr std::int64_t kFirstBonusTick = 2000;
inline constexpr std::int64_t kCelebration = 3000; // six steps of 500 ms

class GameScript {
  public:
    // The program started, "Ana" typed and Start clicked at time 0: question 1 announced.
    GameScript() : text_("start\ntype \"Ana\"\nclick lblStart\n") {}

    std::int64_t now() const { return now_; }
    // When the question now being played was announced.
    std::int64_t announced() const { return announced_; }

    GameScript& line(const std::string& command) {
        text_ += command + "\n";
        return *this;
    }
    GameScript& waitUntil(std::int64_t t) {
        if (t > now_) line("wait " + std::to_string(t - now_));
        now_ = std::max(now_, t);
        return *this;
    }
    GameScript& waitFor(std::int64_t ms) { return waitUntil(now_ + ms); }
    GameScript& dump(const std::string& label) { return line("dump " + label); }

    // Waits until the question is shown and `ticks` seconds of bonus have been counted
    // (0: before the first count). The bonus counts on until the celebration's first step,
    // 500 ms after DA, so an answer given here is worth the bonus of that tick.
    GameScript& waitForBonusTick(int ticks) {
        std::int64_t shown = announced_ + kAnnouncement;
        return waitUntil(ticks == 0 ? shown + 100
                                    : shown + kFirstBonusTick + (ticks - 1) * 1000 + 100);
    }
    // Marks answer k and confirms it with DA.
    GameScript& confirm(int k) {
        std::string answer = "lblKviz(" + std::to_string(k) + ")";
        return line("click " + answer).line("click lblDANE(0)");
    }
    // The right answer at the given bonus tick; the next question is announced when the
    // celebration ends.
    GameScript& answerRight(int ticks = 0) {
        waitForBonusTick(ticks).confirm(1);
        announced_ = now_ + kCelebration;
        ++question_;
        return *this;
    }
    // Plays right answers until question n is on screen.
    GameScript& playTo(int n) {
        while (question_ < n) answerRight();
        return waitForBonusTick(0);
    }

    const std::string& text() const { return text_; }

  private:
    std::string text_;
    std::int64_t now_ = 0;
    std::int64_t announced_ = 0;
    int question_ = 1;
};

// Plays a game on a fresh program folder; returns its dumps.
inline std::vector<Json> play(const GameScript& game, const Json& fixture = sampleFixture()) {
    return ProgramFolder(fixture).run(game.text());
}

// "lblKviz(2)".
inline std::string element(const std::string& name, int i) {
    return name + "(" + std::to_string(i) + ")";
}

} // namespace kvz::test
