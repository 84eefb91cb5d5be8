// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <array>

#include "actions/controls.h"
#include "engine/statistics/histogram.h"
#include "engine/statistics/monte_carlo.h"

namespace classe {

// A tolerance run as the window shows it, kept for the mouse's read-out and
// the export.
struct ToleranceView {
  statistics::MonteCarloResult result;
  statistics::ToleranceSettings settings;
  // Po [W], the efficiency [%] and the drain peak [V] over the solved builds.
  std::array<statistics::Histogram, 3> histograms;
  bool bought = false;  // of the parts bought, not the exact design's values
};

// Histograms get about √n bins, between these.
inline constexpr int kMinBins = 10, kMaxBins = 40;

// The view of a finished or stopped run: its histograms made.
ToleranceView MakeToleranceView(statistics::MonteCarloResult result,
                                statistics::ToleranceSettings settings);

// The summary table, the yields, the status line and the three histograms,
// each with its band (Po's, the drain's rating when there is one) and the
// nominal value as vertical lines.
void ShowToleranceRun(const ToleranceView& view, Controls& ui);

// The table's headings and quantities and the yields' captions, before any
// run.
void ShowToleranceHeadings(Controls& ui);

// Empties the table, the pictures and the read-out: a new run has started.
void ClearToleranceRun(Controls& ui);

// A mouse move over histogram `picture` (0 Po, 1 efficiency, 2 drain peak)
// at (x, y) in its units: the bar under it, its range and how many builds it
// holds, in the read-out and the picture's tooltip. Nothing outside the bars.
void ShowHistogramReadout(const ToleranceView& view, Controls& ui, int picture, float x, float y);

// The status line while builds are done.
std::string ToleranceProgressText(long long done, long long builds);

}  // namespace classe
