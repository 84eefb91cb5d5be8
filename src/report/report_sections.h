// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "actions/parts_action.h"
#include "engine/statistics/monte_carlo.h"
#include "report/report_page.h"

namespace classe::report {

// The parts as bought with their ratings, as the bill of materials lists
// them, and the retune as the parts window shows it; the reason instead when
// they could not be computed. Drawn from `top` (mm); returns the y below.
double DrawPartsSection(Page& page, const std::optional<PartsRun>& run,
                        const std::optional<std::string>& fault, double top);

// The yield run's settings, its summary as the tolerance window shows it and
// the histogram of Po with the accepted band; the reason instead when the run
// could not be made. Returns the y below.
double DrawToleranceSection(Page& page, const std::optional<statistics::MonteCarloResult>& result,
                            const std::optional<statistics::ToleranceSettings>& settings,
                            const std::optional<std::string>& fault, double top);

// Po of the solved builds in `bins` equal bins over [lo, hi], which spans
// every value and the band around the nominal Po.
struct Histogram {
  double lo = 0, hi = 0;  // W
  std::vector<long long> counts;
};
Histogram PoHistogram(const statistics::MonteCarloResult& result, double poBand, int bins);

}  // namespace classe::report
