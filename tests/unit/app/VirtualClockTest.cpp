// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VirtualClock.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace kvz;

namespace {

using Ticks = std::vector<std::string>;

// Two plain timers and a clock recording every tick as "name@time"; a test may hook a tick.
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

    // Switches timers on in the order given, then lets the clock see them.
    void switchOn(std::initializer_list<Timer*> timers) {
        for (Timer* t : timers) t->setEnabled(true);
        clock.sync();
    }
    // The ticks fired so far, once the clock has run on by `ms`.
    Ticks run(int ms) {
        clock.advance(ms);
        return fired;
    }

    std::uint64_t sequence = 0;
    Timer a{"a", 200, false, sequence};
    Timer b{"b", 300, false, sequence};
    Ticks fired;
    std::function<void(Timer&)> onTick;
    bool stopped = false;
    VirtualClock clock;
};

} // namespace

TEST_F(VirtualClockTest, aTimerIsDueOneIntervalAfterItIsSwitchedOnOrRestartedAndTicksAtTheEndFire) {
    clock.advance(300);
    switchOn({&a});
    EXPECT_EQ(run(399), Ticks{"a@500"});
    EXPECT_EQ(run(1), (Ticks{"a@500", "a@700"}));
    EXPECT_EQ(clock.now(), 700);
    EXPECT_EQ(clock.dueTime(a), 900);

    clock.advance(150);
    a.setInterval(200);
    clock.sync();
    EXPECT_EQ(run(250), (Ticks{"a@500", "a@700", "a@1050"}));
    a.setEnabled(false);
    clock.sync();
    EXPECT_FALSE(clock.dueTime(a));
    EXPECT_EQ(run(1000).size(), 3u);
}

TEST_F(VirtualClockTest, ticksDueTogetherFireInTheOrderTheTimersWereStarted) {
    b.setInterval(600);
    switchOn({&b, &a});
    EXPECT_EQ(run(1200),
              (Ticks{"a@200", "a@400", "b@600", "a@600", "a@800", "a@1000", "b@1200", "a@1200"}));
}

TEST_F(VirtualClockTest, anIntervalSetDuringATickRestartsTheCountdownFromThatTick) {
    switchOn({&a});
    onTick = [this](Timer& t) {
        if (clock.now() == 200) t.setInterval(1000);
    };
    EXPECT_EQ(run(2200), (Ticks{"a@200", "a@1200", "a@2200"}));
}

TEST_F(VirtualClockTest, aTickSwitchingAnotherTimerOffOrOnActsAtOnce) {
    b.setInterval(200);
    switchOn({&a, &b});
    onTick = [this](Timer& t) {
        if (t.name() == "a" && clock.now() == 200) b.setEnabled(false);
        if (t.name() == "a" && clock.now() == 400) b.setEnabled(true);
    };
    // b was due with a at 200 but a, started first, switched it off; on again at 400.
    EXPECT_EQ(run(800), (Ticks{"a@200", "a@400", "a@600", "b@600", "a@800", "b@800"}));
}

TEST_F(VirtualClockTest, aManualTickLeavesTheCountdownAndNeedsTheTimerOnAndNoneFiresOnceHalted) {
    EXPECT_FALSE(clock.fire(a));
    switchOn({&a, &b});
    clock.advance(100);
    EXPECT_TRUE(clock.fire(a));
    EXPECT_EQ(run(100), (Ticks{"a@100", "a@200"}));

    onTick = [this](Timer&) { stopped = true; };
    EXPECT_EQ(run(1000), (Ticks{"a@100", "a@200", "b@300"}));
    EXPECT_EQ(clock.now(), 1200);
    EXPECT_FALSE(clock.fire(b));
}
