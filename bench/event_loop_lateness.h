// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace classe::bench {

// How late a timer asking every few ms was answered, ms: the median, the
// 99th percentile and the worst, as the benchmark's counters.
inline void ReportLateness(benchmark::State& state, std::vector<double> late) {
  std::sort(late.begin(), late.end());
  if (late.empty()) return;
  state.counters["late_median_ms"] = late[late.size() / 2];
  state.counters["late_p99_ms"] = late[late.size() * 99 / 100];
  state.counters["late_max_ms"] = late.back();
}

}  // namespace classe::bench
