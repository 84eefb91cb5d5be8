// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <vector>

namespace classe::statistics {

// Counts of values in equal bins from lo to hi; the last bin holds hi.
struct Histogram {
  double lo = 0;
  double hi = 0;
  std::vector<long long> counts;

  double width() const {
    return counts.empty() ? 0 : (hi - lo) / static_cast<double>(counts.size());
  }
  // The bin holding x, or none outside lo…hi.
  std::optional<std::size_t> binAt(double x) const;
};

// `bins` ≥ 1 bins over the values' range; a range of one value is widened
// to ±1 % about it (± 1 when the value is 0), so that every bin has a width.
Histogram MakeHistogram(const std::vector<double>& values, int bins);

}  // namespace classe::statistics
