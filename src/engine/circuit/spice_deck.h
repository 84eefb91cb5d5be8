// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "engine/circuit/result.h"
#include "engine/circuit/stage.h"

namespace classe::circuit {

struct DeckOptions {
  // Start-up deviation, relative to its initial size, left when the measured
  // (last) period begins: the transient runs ln(tolerance)/ln(ρ) periods, ρ the
  // spectral radius of the engine's period map, plus the margin.
  double tolerance = 1e-5;
  int marginPeriods = 5;
  // At most this many periods (a few seconds of ngspice each 1000): a choke
  // of thousands of X(C1) settles over tens of thousands of periods.
  int maxPeriods = 2000;
  int stepsPerPeriod = 1000;  // largest time step T/stepsPerPeriod
};

struct SpiceDeck {
  std::string text;
  int periods = 0;      // simulated; the measures cover the last one
  bool capped = false;  // maxPeriods cut the run short: the start-up may not be over
};

// The stage as an ngspice deck: `ngspice -b deck.cir` prints the measures po,
// pdc, eff (W, W, fraction) over the last period, vpk (V, drain peak) and von
// (V, drain voltage at the last turn-on). Needs Ron > 0.
Result<SpiceDeck> WriteSpiceDeck(const Stage& stage, const DeckOptions& options = {});

}  // namespace classe::circuit
