// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VirtualClock.h"

#include "app/Form1.h"

#include <utility>

namespace kvz {

VirtualClock::VirtualClock(std::vector<Timer*> timers, Fire fire, Halted halted)
    : fire_(std::move(fire)), halted_(std::move(halted)) {
    for (Timer* t : timers) entries_.push_back(Entry{t, std::nullopt, std::nullopt});
}

namespace {

std::vector<Timer*> timersOf(Form1& form) {
    auto timers = form.timers();
    return {timers.begin(), timers.end()};
}

} // namespace

VirtualClock::VirtualClock(Form1& form)
    : VirtualClock(
          timersOf(form), [&form](Timer& t) { form.tick(t); }, [&form] { return form.ended; }) {}

void VirtualClock::sync() {
    for (Entry& e : entries_) {
        const Timer& t = *e.timer;
        bool restarted = e.seenRestarts != t.restarts();
        e.seenRestarts = t.restarts();
        if (!t.running())
            e.due.reset();
        else if (restarted || !e.due)
            e.due = now_ + t.interval();
    }
}

VirtualClock::Entry* VirtualClock::nextDue(std::int64_t until) {
    Entry* next = nullptr;
    for (Entry& e : entries_) {
        if (!e.due || *e.due > until) continue;
        if (next == nullptr || *e.due < *next->due ||
            (*e.due == *next->due && e.timer->order() < next->timer->order()))
            next = &e;
    }
    return next;
}

void VirtualClock::advance(std::int64_t ms) {
    const std::int64_t until = now_ + ms;
    sync();
    while (!halted()) {
        Entry* e = nextDue(until);
        if (e == nullptr) break;
        now_ = *e->due;
        // Without a restart during the tick the countdown simply begins again.
        e->due = now_ + e->timer->interval();
        fire_(*e->timer);
        sync();
    }
    now_ = until;
}

bool VirtualClock::fire(Timer& timer) {
    if (!timer.enabled() || halted()) return false;
    fire_(timer);
    sync();
    return true;
}

std::optional<std::int64_t> VirtualClock::dueTime(const Timer& timer) const {
    for (const Entry& e : entries_)
        if (e.timer == &timer) return e.due;
    return std::nullopt;
}

} // namespace kvz
