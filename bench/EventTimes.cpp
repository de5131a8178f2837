// kvizomat-bench-events: plays whole games through the core and times every event it
// delivers (clicks and timer ticks, each with everything its handler does, database
// writes included), then prints per kind of event the count, median, 99th percentile
// and maximum in microseconds.
//
// usage: kvizomat-bench-events [GAMES] [FOLDER]   (default 200 full games, see
// playFullGame, on the bundled bank)
#include "CoreSession.h"

#include <algorithm>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    const int games = argc > 1 ? std::stoi(argv[1]) : 200;
    kvz::bench::EventTimes times;
    kvz::bench::StartedProgram program(argc > 2 ? argv[2] : KVZ_PROGRAM_DIR, &times);
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
