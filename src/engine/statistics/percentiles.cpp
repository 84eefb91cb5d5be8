// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/statistics/percentiles.h"

#include <algorithm>
#include <cmath>

namespace classe::statistics {

double Percentile(const std::vector<double>& sorted, double p) {
  const double rank = p * static_cast<double>(sorted.size() - 1);
  const auto below = static_cast<std::size_t>(std::floor(rank));
  const std::size_t above = std::min(below + 1, sorted.size() - 1);
  const double w = rank - static_cast<double>(below);
  return sorted[below] + w * (sorted[above] - sorted[below]);
}

Spread SpreadOf(std::vector<double> values) {
  if (values.empty()) return {};
  std::sort(values.begin(), values.end());
  return {Percentile(values, 0.05), Percentile(values, 0.50), Percentile(values, 0.95),
          values.front(), values.back()};
}

}  // namespace classe::statistics
