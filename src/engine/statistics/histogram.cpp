// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/statistics/histogram.h"

#include <algorithm>
#include <cmath>

namespace classe::statistics {

std::optional<std::size_t> Histogram::binAt(double x) const {
  if (counts.empty() || !(x >= lo && x <= hi)) return std::nullopt;
  const auto bin = static_cast<std::size_t>((x - lo) / width());
  return std::min(bin, counts.size() - 1);
}

Histogram MakeHistogram(const std::vector<double>& values, int bins) {
  Histogram h;
  h.counts.assign(static_cast<std::size_t>(std::max(bins, 1)), 0);
  if (values.empty()) return h;
  const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
  h.lo = *lo;
  h.hi = *hi;
  if (!(h.hi > h.lo)) {
    const double half = h.lo == 0 ? 1 : 0.01 * std::abs(h.lo);
    h.lo -= half;
    h.hi += half;
  }
  for (double v : values)
    if (const auto bin = h.binAt(v)) ++h.counts[*bin];
  return h;
}

}  // namespace classe::statistics
