// SPDX-License-Identifier: GPL-3.0-or-later
// The data layer: the level count at start-up and a question load on the bank of a
// million questions, a counter bump and a results update on the bundled database.
#include "BigBank.h"
#include "CoreSession.h"
#include "data/QuestionBank.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <optional>
#include <random>

namespace kvz::bench {
namespace {

std::string bigBank() {
    static const std::string path = bigBankFolder() + "/Baza.mdb";
    return path;
}

// As at start-up: a connection just opened, every level counted.
void StartUpCount(benchmark::State& state) {
    std::optional<Connection> conn;
    for (auto _ : state) {
        state.PauseTiming();
        conn.reset();
        conn.emplace(bigBank(), kDatabasePassword);
        state.ResumeTiming();
        std::int64_t total = 0;
        for (int level = 1; level <= kLevels; ++level) total += countLevel(*conn, level);
        if (total != kLevels * kBigBankPerLevel) state.SkipWithError("the count is wrong");
    }
}
BENCHMARK(StartUpCount)->Unit(benchmark::kMillisecond)->Iterations(20);

// Questions of random levels at random positions, as the game draws them; the 50th and
// 99th percentile of a load are reported beside the mean.
void QuestionLoad(benchmark::State& state, std::string (*folder)()) {
    Connection conn(folder() + "/Baza.mdb", kDatabasePassword);
    std::array<std::int64_t, kLevels + 1> count{};
    for (int level = 1; level <= kLevels; ++level)
        count[static_cast<std::size_t>(level)] = countLevel(conn, level);
    std::mt19937 draws(11);
    std::uniform_real_distribution<double> r(0, 1);
    std::vector<double> micros;
    for (auto _ : state) {
        const int level = 1 + static_cast<int>(draws() % kLevels);
        const std::int64_t inLevel = count[static_cast<std::size_t>(level)];
        const auto begin = std::chrono::steady_clock::now();
        auto row = questionAt(conn, level, drawPosition(inLevel, r(draws)), inLevel);
        const auto end = std::chrono::steady_clock::now();
        if (!row || !row->rb.equalsNumber(level)) state.SkipWithError("a load found no question");
        micros.push_back(std::chrono::duration<double, std::micro>(end - begin).count());
    }
    std::sort(micros.begin(), micros.end());
    state.counters["p50_us"] = percentile(micros, 0.50);
    state.counters["p99_us"] = percentile(micros, 0.99);
    state.counters["max_us"] = micros.back();
}
BENCHMARK_CAPTURE(QuestionLoad, bigBank, &bigBankFolder)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(3000);
// The same bank reached through an upgrade, with questions of the player's own on every level.
BENCHMARK_CAPTURE(QuestionLoad, upgraded, &upgradedBigBankFolder)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(3000);

void CounterBump(benchmark::State& state) {
    ProgramCopy folder;
    Connection conn(folder.path() + "/Baza.mdb", kDatabasePassword);
    auto writes = directWriter(conn);
    Settings settings(conn, *writes);
    for (auto _ : state) settings.bump("Start");
}
BENCHMARK(CounterBump)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The same bump as the desktop program makes it: handed to the thread that commits it. Only
// the hand-over is timed, as that is all the click waits for; each commit is awaited
// outside the timing.
void CounterBumpBehind(benchmark::State& state) {
    ProgramCopy folder;
    const std::string path = folder.path() + "/Baza.mdb";
    Connection conn(path, kDatabasePassword);
    auto writes = backgroundWriter(path);
    Settings settings(conn, *writes);
    for (auto _ : state) {
        settings.bump("Start");
        state.PauseTiming();
        writes->settle();
        state.ResumeTiming();
    }
}
BENCHMARK(CounterBumpBehind)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The result of a game offered to the list of record holders; each beats the weakest row,
// so every update overwrites one.
void ResultsUpdate(benchmark::State& state) {
    StartedProgram program;
    Form1& form = program.form();
    form.QuestionNo = 15;
    std::int64_t points = 0;
    for (auto _ : state) {
        form.ResultPending = True;
        form.lblOsv.caption = std::to_string(++points);
        Boolean save = True;
        form.RecordHolders(save);
    }
}
BENCHMARK(ResultsUpdate)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
} // namespace kvz::bench
