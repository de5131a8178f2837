// SPDX-License-Identifier: GPL-3.0-or-later
// kvizomat-bench-events: plays whole games through the core and times every event it
// delivers (clicks and timer ticks, each with everything its handler does, database
// writes included), then prints per kind of event the count, median, 99th percentile
// and maximum in microseconds.
//
// usage: kvizomat-bench-events [--behind] [GAMES] [FOLDER]   (default 200 full games, see
// playFullGame, on the bundled bank). With --behind the writes are committed by a thread of
// their own, as the desktop program does; otherwise each event waits for its commits.
#include "CoreSession.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    auto database = kvz::DatabaseMode::Direct;
    if (!args.empty() && args.front() == "--behind") {
        database = kvz::DatabaseMode::WriteBehind;
        args.erase(args.begin());
    }
    const int games = !args.empty() ? std::stoi(args[0]) : 200;
    kvz::bench::EventTimes times;
    kvz::bench::StartedProgram program(args.size() > 1 ? args[1] : KVZ_PROGRAM_DIR, &times,
                                       database);
    for (int i = 0; i < games; ++i) playFullGame(program.session);

    std::printf("%-22s %8s %10s %10s %10s\n", "event", "count", "median us", "p99 us", "max us");
    for (auto& [kind, ns] : times) {
        std::sort(ns.begin(), ns.end());
        std::printf("%-22s %8zu %10.1f %10.1f %10.1f\n", kind.c_str(), ns.size(),
                    kvz::bench::percentile(ns, 0.5) / 1e3, kvz::bench::percentile(ns, 0.99) / 1e3,
                    ns.back() / 1e3);
    }
    return 0;
}
