// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// Sampling of the four waveforms and their four maxima, as the graph action
// does it, per sample. Compare with bench/compare_numpy (the same work in
// vectorised numpy on the same machine).

#include <benchmark/benchmark.h>

#include "engine/design/design_equations.h"
#include "engine/design/sampling.h"
#include "engine/design/waveforms.h"

namespace {

void SampleAllFourWithMaxima(benchmark::State& bench) {
  classe::DesignState s;
  classe::ComputeDesign(s, {"50", "4", "4", "0", "28", "20"});
  s.phi = classe::OutputCurrentPhase();
  s.M = static_cast<std::int32_t>(bench.range(0));
  for (auto _ : bench) {
    classe::SampleWaveforms(s, classe::kAllWaveforms);
    classe::FindVc1Max(s);
    classe::FindIswMax(s);
    classe::FindIc1Max(s);
    classe::FindIrMax(s);
    benchmark::DoNotOptimize(s.Vc1max + s.Iswmax + s.Ic1max + s.Irmax);
  }
  // Seconds per sample, printed with its SI prefix ("12.3n" is 12.3 ns).
  bench.counters["per_sample"] = benchmark::Counter(
      static_cast<double>(s.M + 1),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(SampleAllFourWithMaxima)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
