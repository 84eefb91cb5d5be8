// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <vector>

namespace classe::statistics {

// Where a quantity's values lie over the builds.
struct Spread {
  double p5 = 0, p50 = 0, p95 = 0;
  double min = 0, max = 0;
};

// The value below which a fraction p of the sorted values lies, interpolated
// linearly between neighbours: rank p·(n − 1) from 0. `sorted` not empty.
double Percentile(const std::vector<double>& sorted, double p);

// The 5th, 50th and 95th percentiles and the extremes; all zero for no values.
Spread SpreadOf(std::vector<double> values);

}  // namespace classe::statistics
