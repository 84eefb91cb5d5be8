// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// Many builds of the exact Q 4 design (Ron 0.1 Ω) on every core: as built with
// linear parts, retuned at the bench, and with the transistor's junction Coss
// (100 pF with its own tolerance; 300 pF on two threads).

#include <benchmark/benchmark.h>

#include "engine/circuit/exact_design.h"
#include "engine/design/design_equations.h"
#include "engine/parts/retune.h"
#include "engine/statistics/monte_carlo.h"

namespace classe::statistics {
namespace {

circuit::Stage Nominal(bool transistor, double Coss = 100e-12) {
  DesignState s;
  ComputeDesign(s, {"50", "4", "4", "0", "28", "20"});
  circuit::StageOptions o;
  o.Ron = 0.1;
  if (transistor) {
    auto junction = transistor::Junction::Make(Coss, 25, 0.5, 0.7);
    o.transistor = circuit::Transistor{std::get<transistor::Junction>(junction), 25, {}};
  }
  return circuit::DesignExact(circuit::FromDesignState(s), o).value().stage;
}

void Run(benchmark::State& state, const circuit::Stage& nominal, ToleranceSettings settings) {
  for (auto _ : state) {
    Progress progress;
    auto result = RunMonteCarlo(nominal, settings, &progress);
    if (!result || result->summary.builds != settings.builds) state.SkipWithError("run failed");
    benchmark::DoNotOptimize(result);
  }
  state.counters["builds"] = static_cast<double>(settings.builds);
}

void BM_AsBuiltLinear(benchmark::State& state) {
  ToleranceSettings settings;
  settings.builds = 100'000;
  Run(state, Nominal(false), settings);
}
BENCHMARK(BM_AsBuiltLinear)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_Retuned(benchmark::State& state) {
  const circuit::Stage nominal = Nominal(false);
  ToleranceSettings settings;
  settings.builds = 2000;
  settings.retune = [nominal](const circuit::Stage& s) -> circuit::Result<circuit::Stage> {
    auto tuned = parts::RetuneStage(s, 50, &nominal);
    if (!tuned) return tuned.failure();
    return std::move(tuned).value().stage;
  };
  Run(state, nominal, settings);
}
BENCHMARK(BM_Retuned)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_AsBuiltTransistor(benchmark::State& state) {
  ToleranceSettings settings;
  settings.builds = 2000;
  settings.tolerances.Coss = 0.1;
  Run(state, Nominal(true), settings);
}
BENCHMARK(BM_AsBuiltTransistor)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// A larger junction (300 pF at 25 V) on two threads, ±5 % on the capacitors
// and inductors only: the run the tolerance window starts with.
void BM_AsBuiltTransistorTwoThreads(benchmark::State& state) {
  ToleranceSettings settings;
  settings.builds = 2000;
  settings.threads = 2;
  Run(state, Nominal(true, 300e-12), settings);
}
BENCHMARK(BM_AsBuiltTransistorTwoThreads)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace
}  // namespace classe::statistics

BENCHMARK_MAIN();
