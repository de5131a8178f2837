// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VirtualClock.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace kvz;

namespace {

// Two plain timers and a clock that records every tick as "name@time"; a test can hook
// what a tick does.
class VirtualClockTest : public ::testing::Test {
  protected:
    VirtualClockTest()
        : clock(
              {&a, &b},
              [this](Timer& t) {
                  fired.push_back(t.name() + "@" + std::to_string(clock.now()));
                  if (onTick) onTick(t);
              },
              [this] { return stopped; }) {}

    std::uint64_t sequence = 0;
    Timer a{"a", 200, false, sequence};
    Timer b{"b", 300, false, sequence};
    std::vector<std::string> fired;
    std::function<void(Timer&)> onTick;
    bool stopped = false;
    VirtualClock clock;
};

using Ticks = std::vector<std::string>;

} // namespace

TEST_F(VirtualClockTest, aTimerSwitchedOnFirstFiresOneIntervalLaterAndTicksDueAtTheEndFire) {
    clock.advance(300);
    a.setEnabled(true);
    clock.sync();
    clock.advance(399);
    EXPECT_EQ(fired, Ticks{"a@500"});
    clock.advance(1);
    EXPECT_EQ(fired, (Ticks{"a@500", "a@700"}));
    EXPECT_EQ(clock.now(), 700);
    EXPECT_EQ(clock.dueTime(a), 900);
}

TEST_F(VirtualClockTest, ticksDueTogetherFireInTheOrderTheTimersWereStarted) {
    b.setInterval(600);
    b.setEnabled(true);
    a.setEnabled(true);
    clock.sync();
    clock.advance(1200);
    EXPECT_EQ(fired,
              (Ticks{"a@200", "a@400", "b@600", "a@600", "a@800", "a@1000", "b@1200", "a@1200"}));
}

TEST_F(VirtualClockTest, anIntervalSetDuringATickRestartsTheCountdownFromThatTick) {
    a.setEnabled(true);
    clock.sync();
    onTick = [this](Timer& t) {
        if (clock.now() == 200) t.setInterval(1000);
    };
    clock.advance(2200);
    EXPECT_EQ(fired, (Ticks{"a@200", "a@1200", "a@2200"}));
}

TEST_F(VirtualClockTest, aTickSwitchingAnotherTimerOffOrOnActsAtOnce) {
    a.setEnabled(true);
    b.setInterval(200);
    b.setEnabled(true);
    clock.sync();
    onTick = [this](Timer& t) {
        if (t.name() == "a" && clock.now() == 200) b.setEnabled(false);
        if (t.name() == "a" && clock.now() == 400) b.setEnabled(true);
    };
    clock.advance(800);
    // b was due with a at 200 but a, started first, switched it off; on again at 400.
    EXPECT_EQ(fired, (Ticks{"a@200", "a@400", "a@600", "b@600", "a@800", "b@800"}));
}

TEST_F(VirtualClockTest, aTimerRestartedBetweenEventsIsDueOneIntervalAfterTheRestart) {
    a.setEnabled(true);
    clock.sync();
    clock.advance(150);
    a.setInterval(200);
    clock.sync();
    clock.advance(250);
    EXPECT_EQ(fired, Ticks{"a@350"});
    a.setEnabled(false);
    clock.sync();
    EXPECT_FALSE(clock.dueTime(a));
    clock.advance(1000);
    EXPECT_EQ(fired.size(), 1u);
}

TEST_F(VirtualClockTest, aManualTickLeavesTheCountdownAndNeedsTheTimerOn) {
    EXPECT_FALSE(clock.fire(a));
    a.setEnabled(true);
    clock.sync();
    clock.advance(100);
    EXPECT_TRUE(clock.fire(a));
    clock.advance(100);
    EXPECT_EQ(fired, (Ticks{"a@100", "a@200"}));
}

TEST_F(VirtualClockTest, nothingFiresOnceHaltedButTimeStillPasses) {
    a.setEnabled(true);
    b.setEnabled(true);
    clock.sync();
    onTick = [this](Timer&) { stopped = true; };
    clock.advance(1000);
    EXPECT_EQ(fired, Ticks{"a@200"});
    EXPECT_EQ(clock.now(), 1000);
    EXPECT_FALSE(clock.fire(b));
}
