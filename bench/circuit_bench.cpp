// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// The real-circuit engine on the default stage (Po 50 W, f 4 MHz, Q 4, Vcc
// 28 V, N 20, Ron 1 mΩ): one periodic steady state, one exact design, and
// the figures derived from a steady state. `circuit_bench --deck` prints the
// ngspice deck of the same stage instead (bench/compare-ngspice times it).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

#include "engine/circuit/exact_design.h"
#include "engine/circuit/load_harmonics.h"
#include "engine/circuit/ratings.h"
#include "engine/circuit/spice_deck.h"
#include "engine/circuit/steady_state.h"
#include "engine/circuit/waveforms.h"
#include "engine/design/design_equations.h"

namespace {

using namespace classe::circuit;

IdealDesign DefaultDesign() {
  classe::DesignState s;
  classe::ComputeDesign(s, {"50", "4", "4", "0", "28", "20"});
  return FromDesignState(s);
}

// Arg 0: the plain load R (4 states); arg 1: the network to 50 Ω (5 states);
// arg 2: the network to 5 Ω (6 states).
StageOptions Load(std::int64_t which) {
  StageOptions o;
  if (which == 1) o.RL = 50;
  if (which == 2) o.RL = 5;
  return o;
}

void SteadyStateOfTheIdealDesign(benchmark::State& bench) {
  const Stage stage = StageFromIdeal(DefaultDesign(), Load(bench.range(0))).value();
  for (auto _ : bench) {
    Result<SteadyState> s = SolveSteadyState(stage);
    benchmark::DoNotOptimize(s);
  }
}
BENCHMARK(SteadyStateOfTheIdealDesign)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void ExactDesignFromTheIdealOne(benchmark::State& bench) {
  const IdealDesign ideal = DefaultDesign();
  const StageOptions options = Load(bench.range(0));
  for (auto _ : bench) {
    Result<ExactDesign> e = DesignExact(ideal, options);
    benchmark::DoNotOptimize(e);
  }
}
BENCHMARK(ExactDesignFromTheIdealOne)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void RatingsOfTheIdealDesign(benchmark::State& bench) {
  const Stage stage = StageFromIdeal(DefaultDesign(), {}).value();
  for (auto _ : bench) {
    Result<Ratings> r = ComputeRatings(stage);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(RatingsOfTheIdealDesign)->Unit(benchmark::kMicrosecond);

void LoadSpectrumOfTheIdealDesign(benchmark::State& bench) {
  const Stage stage = StageFromIdeal(DefaultDesign(), {}).value();
  for (auto _ : bench) {
    Result<LoadSpectrum> r = ComputeLoadSpectrum(stage);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(LoadSpectrumOfTheIdealDesign)->Unit(benchmark::kMicrosecond);

void WaveformsOfTheIdealDesign(benchmark::State& bench) {
  const Stage stage = StageFromIdeal(DefaultDesign(), {}).value();
  for (auto _ : bench) {
    Result<Waveforms> w = SampleWaveforms(stage, bench.range(0));
    benchmark::DoNotOptimize(w);
  }
}
BENCHMARK(WaveformsOfTheIdealDesign)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// A transistor of 500 pF at 25 V graded as a junction (m 0.5, Vj 0.7 V): the
// drain capacitance and the body diode make the open half nonlinear.
StageOptions WithTransistor(std::int64_t which) {
  StageOptions o = Load(which);
  auto junction = classe::transistor::Junction::Make(500e-12, 25, 0.5, 0.7);
  o.transistor = Transistor{std::get<classe::transistor::Junction>(junction), 25, std::nullopt};
  return o;
}

void NonlinearSteadyState(benchmark::State& bench) {
  const StageOptions options = WithTransistor(bench.range(0));
  const Stage stage = DesignExact(DefaultDesign(), options).value().stage;
  for (auto _ : bench) {
    Result<SteadyState> s = SolveSteadyState(stage);
    benchmark::DoNotOptimize(s);
  }
}
BENCHMARK(NonlinearSteadyState)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void NonlinearExactDesign(benchmark::State& bench) {
  const IdealDesign ideal = DefaultDesign();
  const StageOptions options = WithTransistor(bench.range(0));
  for (auto _ : bench) {
    Result<ExactDesign> e = DesignExact(ideal, options);
    benchmark::DoNotOptimize(e);
  }
}
BENCHMARK(NonlinearExactDesign)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// No design: a 28 Ω switch cannot give 50 W whatever the parts. The search
// fails without running into the transistor's capacitance, so it looks for
// no frequency or supply limit.
void NonlinearExactDesignRefused(benchmark::State& bench) {
  const IdealDesign ideal = DefaultDesign();
  StageOptions options = WithTransistor(1);
  options.Ron = 28;
  for (auto _ : bench) {
    Result<ExactDesign> e = DesignExact(ideal, options);
    if (e) bench.SkipWithError("a 28 Ω switch gave a design");
    benchmark::DoNotOptimize(e);
  }
}
BENCHMARK(NonlinearExactDesignRefused)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--deck") == 0) {
    const Stage stage = StageFromIdeal(DefaultDesign(), {}).value();
    std::fputs(WriteSpiceDeck(stage).value().text.c_str(), stdout);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
