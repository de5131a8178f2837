// SPDX-License-Identifier: GPL-3.0-or-later
#include "TimerSync.h"

#include <stdexcept>

namespace kvz::desktop {

TimerSync::TimerSync(const std::vector<Timer*>& timers, Tick onTick, QObject* owner) {
    for (Timer* model : timers) {
        auto* real = new QTimer(owner);
        real->setTimerType(Qt::PreciseTimer);
        QObject::connect(real, &QTimer::timeout, owner, [model, onTick] { onTick(*model); });
        pairs_.push_back({model, real, 0});
    }
}

void TimerSync::sync() {
    for (Pair& p : pairs_) {
        const bool restarted = p.model->restarts() != p.restarts;
        p.restarts = p.model->restarts();
        if (!p.model->running())
            p.real->stop();
        else if (restarted || !p.real->isActive())
            p.real->start(p.model->interval());
    }
}

const QTimer& TimerSync::realTimer(const Timer& model) const {
    for (const Pair& p : pairs_)
        if (p.model == &model) return *p.real;
    throw std::invalid_argument("not a timer of this window");
}

} // namespace kvz::desktop
