// Complete games per second of the computer against a random human.
#include <benchmark/benchmark.h>

#include "tools/selfplay/selfplay.h"

static void BM_SelfPlay(benchmark::State& state) {
  uint64_t seed = 1;
  int64_t games = 0;
  for (auto _ : state) {
    const auto r = vandrel::RunSelfPlay(100, seed++);
    benchmark::DoNotOptimize(r.turns);
    games += r.games;
  }
  state.counters["games_per_second"] =
      benchmark::Counter(static_cast<double>(games), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SelfPlay)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
