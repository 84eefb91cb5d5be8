// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "actions/controls.h"
#include "actions/value_boxes.h"
#include "engine/design/design_state.h"

namespace classe {

// Plot units of the graph window's plot area: x 0…105 left to right (0…100
// is teta 0…4π, the rest a margin for labels), y 100 at the top to 0 at the
// bottom.
inline constexpr PlotScale kPlotScale{0, 100, 105, 0};
// The caption strip left of it: x 0…100, the same heights.
inline constexpr PlotScale kCaptionScale{0, 100, 100, 0};

// The curves' colours, also those of their option buttons' captions.
inline constexpr Rgb kVc1Colour{255, 0, 0};
inline constexpr Rgb kIswColour{0, 0, 255};
inline constexpr Rgb kIc1Colour{0, 255, 0};
inline constexpr Rgb kIrColour{255, 0, 255};

// One of the four stacked curves, with its read-out. A sample s is drawn at
// y = baseline + gain · s / maximum, so the largest lands at baseline + 2
// (or + 9 for Ir) and zero on the baseline.
struct Curve {
  SampleArray DesignState::*samples;
  double DesignState::*maximum;
  void (*scan)(DesignState&);
  double baseline;
  double gain;
  Rgb colour;
  Control option;     // option button that follows it
  double bandBottom;  // lowest cursor height that selects it
  const ValueBox& tetaBox;
  const ValueBox& valueBox;  // its quantity ("Vc1(teta)") names the curve
  std::string_view unit;     // in the tooltip
};

// Vc1, Isw, Ic1, Ir: the drawing order, top to bottom.
const std::array<Curve, 4>& Curves();

}  // namespace classe
