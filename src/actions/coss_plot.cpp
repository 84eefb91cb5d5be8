// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/coss_plot.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "actions/form4_controls.h"
#include "actions/real_circuit_action.h"
#include "engine/design/display_format.h"

namespace classe {
namespace {

constexpr double kPicofarad = 1e-12;
// Enough points that the junction's knee near 0 V reads as a curve.
constexpr int kSamples = 160;
constexpr Rgb kCurve{192, 0, 0};
constexpr Rgb kAxis{0, 0, 0};
constexpr Rgb kDatasheet{0, 0, 192};

}  // namespace

void DrawCossPlot(const RealCircuitState& state, Controls& ui) {
  ui.clearPicture(form4::Picture2);
  const RealCircuitRun* run = state.exact ? &*state.exact : state.ideal ? &*state.ideal : nullptr;
  if (!run || !run->stage.transistor) {
    ui.setCaption(form4::Label158, "Coss(v): nessun transistor (Coss = 0)");
    return;
  }
  const circuit::Transistor& t = *run->stage.transistor;
  const double top = std::max({run->steady.vPeak, t.Vref, 1.0});
  std::vector<PlotPoint> curve;
  double most = 0, least = INFINITY;
  for (int k = 0; k <= kSamples; ++k) {
    const double v = top * k / kSamples;
    const double c = t.coss.capacitance(v) / kPicofarad;
    if (!std::isfinite(c)) continue;
    most = std::max(most, c);
    least = std::min(least, c);
    curve.push_back({static_cast<float>(v), static_cast<float>(c)});
  }
  if (curve.size() < 2 || !(most > 0)) {
    ui.setCaption(form4::Label158, "Coss(v): nessun transistor (Coss = 0)");
    return;
  }
  ui.setScale(form4::Picture2, {-0.03 * top, 1.12 * most, 1.03 * top, -0.06 * most});
  const PlotPoint xAxis[] = {{0, 0}, {static_cast<float>(top), 0}};
  const PlotPoint yAxis[] = {{0, 0}, {0, static_cast<float>(1.1 * most)}};
  ui.drawPolyline(form4::Picture2, xAxis, kAxis);
  ui.drawPolyline(form4::Picture2, yAxis, kAxis);
  ui.drawPolyline(form4::Picture2, curve, kCurve);
  // The datasheet's figure: a small cross at (Vds, Coss).
  const auto x = static_cast<float>(t.Vref);
  const auto y = static_cast<float>(run->stage.Coss / kPicofarad);
  const auto dx = static_cast<float>(0.03 * top), dy = static_cast<float>(0.05 * most);
  const PlotPoint across[] = {{x - dx, y}, {x + dx, y}};
  const PlotPoint up[] = {{x, y - dy}, {x, y + dy}};
  ui.drawPolyline(form4::Picture2, across, kDatasheet);
  ui.drawPolyline(form4::Picture2, up, kDatasheet);
  ui.setCaption(form4::Label158, "Coss(v) [pF] da 0 a " + Format(top, "0") + " V: da " +
                                     Format(most, "0") + " a " + Format(least, "0") +
                                     "; in blu il dato a Vds");
}

}  // namespace classe
