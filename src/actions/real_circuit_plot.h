// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "actions/controls.h"
#include "engine/circuit/waveforms.h"
#include "engine/plot/plot_types.h"

namespace classe {

struct RealCircuitState;

// Units of the real-circuit window's plot: x 0…100 is teta 0…4π and a margin
// to 105; y 100 at the top to 0 at the bottom, in four strips of 25.
inline constexpr PlotScale kRealCircuitPlotScale{0, 100, 105, 0};

// One strip of the plot: a waveform of both designs, the exact one in full
// colour, the ideal one lighter behind it. A sample s is drawn at
// baseline + gain · s / full scale, the full scale being the largest
// magnitude of both curves.
struct RealCircuitStrip {
  std::vector<double> circuit::Waveforms::*samples;
  std::string_view name;  // "Vc1(teta)"
  std::string_view unit;  // "V"
  double bottom;          // lowest height of the strip; it spans 25 units
  double baseline;
  double gain;
  Rgb exact;
  Rgb ideal;
  Control caption;
};

// Vc1, Isw, Ic1, Ir, top to bottom, in the graph window's colours.
const std::array<RealCircuitStrip, 4>& RealCircuitStrips();

// Clears the plot and draws the grid and the curves of the designs that have
// them, with each strip's caption giving its full scale.
void DrawRealCircuitCurves(const RealCircuitState& state, Controls& ui);

// A mouse move over the plot at (x, y) plot units: the strip that holds y,
// the angle that x stands for, and both designs' values there, in the
// read-out boxes and the plot's tooltip.
void ShowRealCircuitReadout(const RealCircuitState& state, Controls& ui, float x, float y);

}  // namespace classe
