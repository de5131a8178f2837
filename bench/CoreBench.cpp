// SPDX-License-Identifier: GPL-3.0-or-later
// The core in virtual time: start-up, the timer ticks the window runs all the time, and
// whole games.
#include "CoreSession.h"

#include <benchmark/benchmark.h>

namespace kvz::bench {
namespace {

void StartUp(benchmark::State& state) {
    ProgramCopy folder;
    for (auto _ : state) {
        CoreSession session(folder.path());
        session.start();
        benchmark::DoNotOptimize(session.form().QuestionCount);
    }
}
BENCHMARK(StartUp)->Unit(benchmark::kMillisecond);

// Ticks that repeat for as long as nobody acts: Timer1 lights the ladder rung by rung on
// the start screen, Timer2 blinks the record holders while a question waits for an answer.
void Timer1OnStartScreen(benchmark::State& state) {
    StartedProgram program;
    Form1& form = program.form();
    for (auto _ : state) form.tick(form.Timer1);
}
BENCHMARK(Timer1OnStartScreen);

void Timer2DuringQuestion(benchmark::State& state) {
    StartedProgram program;
    program.session.startGame();
    Form1& form = program.form();
    for (auto _ : state) form.tick(form.Timer2);
}
BENCHMARK(Timer2DuringQuestion);

// Games one after another in one run of the program; games per second in wall-clock time.
// On the file every counter and result is committed before the click returns; a simulation
// plays on a scratch copy in memory.
void FullGame(benchmark::State& state, DatabaseMode database) {
    StartedProgram program(KVZ_PROGRAM_DIR, nullptr, database);
    for (auto _ : state) playFullGame(program.session);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(FullGame, File, DatabaseMode::Direct)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(FullGame, Scratch, DatabaseMode::Scratch)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

void RandomGame(benchmark::State& state, DatabaseMode database) {
    StartedProgram program(KVZ_PROGRAM_DIR, nullptr, database);
    std::mt19937 draws(7);
    for (auto _ : state) playRandomGame(program.session, draws);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(RandomGame, File, DatabaseMode::Direct)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(RandomGame, Scratch, DatabaseMode::Scratch)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

} // namespace
} // namespace kvz::bench
