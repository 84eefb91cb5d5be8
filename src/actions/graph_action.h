// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "actions/action.h"
#include "actions/controls.h"
#include "engine/design/design_state.h"

namespace classe {

// "Grafici": checks Text1…Text7 and Text9, gets the graph window (created
// hidden the first time) with its plot cleared, hides the matching pictures,
// computes the design (warning between Von and Vcc when Von > 0), then plots
// the four waveforms over two periods and places the axis captions.
Outcome ShowGraphs(DesignState& state, Controls& ui);

// Shows the graph window, sets the plot units, draws the axes, samples all
// four waveforms, finds their maxima and draws the curves in order. A fault
// stops it with what is drawn kept.
void PlotWaveforms(DesignState& state, Controls& ui);

// Baselines and ticks into the plot area, whose units are already set.
void DrawAxes(Controls& ui);

// Units of the caption strip and the sixteen axis captions.
void LabelAxes(Controls& ui);

}  // namespace classe
