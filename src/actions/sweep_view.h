// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "actions/controls.h"
#include "engine/statistics/sweep.h"

namespace classe {

// A sweep as the window shows it, kept for the mouse's read-out and the
// export.
struct SweepView {
  statistics::SweepResult result;
  statistics::SweepVariable variable = statistics::SweepVariable::LoadFactor;
};

// Units of the sweep's plot: x the swept input as the fields give it (MHz
// for the frequency), y 100 at the top to 0 at the bottom in five strips of
// 20, Po first.
inline constexpr double kStripHeight = 20;

// The five curves, each in its strip on its own scale given by its caption,
// broken where a point has no steady state; the design's value of the input
// as a vertical line with each curve's value there marked.
void ShowSweepRun(const SweepView& view, Controls& ui);

// Empties the plot, its captions and the read-out: a new run has started.
void ClearSweepRun(Controls& ui);

// A mouse move over the plot at (x, y) plot units: the point nearest x and
// its five figures, in the read-out and the plot's tooltip.
void ShowSweepReadout(const SweepView& view, Controls& ui, float x, float y);

// The range fields' texts for the input chosen, from the main window's Vcc
// and frequency for those two: 0.5…2 for the load, −0.5…0.5 for its
// reactance, ±50 % of Vcc, ±10 % of the frequency. Nothing changes when the
// main window's field does not hold a number.
void ShowSweepDefaults(Controls& ui, statistics::SweepVariable variable);

// The status line while points are done.
std::string SweepProgressText(long long done, long long points);

}  // namespace classe
