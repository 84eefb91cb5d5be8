// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/real_circuit_plot.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "actions/form4_controls.h"
#include "actions/real_circuit_action.h"
#include "actions/value_boxes.h"
#include "engine/design/constants.h"
#include "engine/design/display_format.h"
#include "engine/design/fault.h"
#include "engine/plot/single_precision.h"

namespace classe {
namespace {

constexpr Rgb kGrid{0, 0, 0};
constexpr Rgb kPeriodMarks{200, 200, 200};

// The largest magnitude of a strip's waveform in either design; 1 for a
// waveform that is zero throughout, so that it lies on its baseline.
double FullScale(const RealCircuitState& s, const RealCircuitStrip& strip) {
  double full = 0;
  for (const std::optional<RealCircuitRun>* run : {&s.ideal, &s.exact}) {
    if (!*run) continue;
    for (double v : (*run)->curves.*strip.samples)
      full = std::max(full, std::fabs(v));
  }
  return full > 0 ? full : 1;
}

void DrawGrid(Controls& ui) {
  // The switch opens at 0 and 2π and closes at π and 3π.
  for (float x : {25.f, 50.f, 75.f}) {
    const PlotPoint mark[] = {{x, 0}, {x, 100}};
    ui.drawPolyline(form4::Picture1, mark, kPeriodMarks);
  }
  for (const RealCircuitStrip& strip : RealCircuitStrips()) {
    const auto y = static_cast<float>(strip.baseline);
    const PlotPoint baseline[] = {{0, y}, {100, y}};
    ui.drawPolyline(form4::Picture1, baseline, kGrid);
  }
}

void DrawCurve(Controls& ui, const std::vector<double>& samples, const RealCircuitStrip& strip,
               double full, Rgb colour) {
  if (samples.size() < 2) return;
  const auto M = static_cast<double>(samples.size() - 1);
  std::vector<PlotPoint> points(samples.size());
  for (std::size_t j = 0; j < samples.size(); ++j) {
    points[j] = {ToFloatOrOverflow(100.0 * static_cast<double>(j) / M),
                 ToFloatOrOverflow(strip.baseline + strip.gain * samples[j] / full)};
  }
  ui.drawPolyline(form4::Picture1, points, colour);
}

// The sample of a design's curve nearest to x plot units, or nothing.
std::optional<double> SampleAt(const std::optional<RealCircuitRun>& run,
                               const RealCircuitStrip& strip, double x) {
  if (!run) return std::nullopt;
  const std::vector<double>& samples = run->curves.*strip.samples;
  if (samples.empty()) return std::nullopt;
  const double along = std::clamp(x, 0.0, 100.0) / 100 * static_cast<double>(samples.size() - 1);
  return samples[static_cast<std::size_t>(std::lround(along))];
}

}  // namespace

const std::array<RealCircuitStrip, 4>& RealCircuitStrips() {
  // clang-format off
  static const std::array<RealCircuitStrip, 4> strips{{
      {&circuit::Waveforms::vD, "Vc1(teta)", "V", 75, 77, 21, {255, 0, 0}, {255, 175, 175},
       form4::Label129},
      {&circuit::Waveforms::isw, "Isw(teta)", "A", 50, 52, 21, {0, 0, 255}, {175, 175, 255},
       form4::Label130},
      {&circuit::Waveforms::iC1, "Ic1(teta)", "A", 25, 37.5, 10.5, {0, 160, 0}, {170, 230, 170},
       form4::Label131},
      {&circuit::Waveforms::iBranch, "Ir(teta)", "A", 0, 12.5, 10.5, {255, 0, 255},
       {255, 185, 255}, form4::Label132},
  }};
  // clang-format on
  return strips;
}

void DrawRealCircuitCurves(const RealCircuitState& s, Controls& ui) {
  ui.setScale(form4::Picture1, kRealCircuitPlotScale);
  ui.clearPicture(form4::Picture1);
  DrawGrid(ui);
  for (const RealCircuitStrip& strip : RealCircuitStrips()) {
    const double full = FullScale(s, strip);
    // The ideal design behind, the exact one over it.
    if (s.ideal) DrawCurve(ui, s.ideal->curves.*strip.samples, strip, full, strip.ideal);
    if (s.exact) DrawCurve(ui, s.exact->curves.*strip.samples, strip, full, strip.exact);
    ui.setCaption(strip.caption, std::string(strip.name) + " [" + std::string(strip.unit) +
                                     "], fondo scala " + Format(full, kScientific3));
    ui.moveControl(strip.caption, 1, strip.bottom + 24.5);
  }
}

void ShowRealCircuitReadout(const RealCircuitState& s, Controls& ui, float x, float y) {
  const auto& strips = RealCircuitStrips();
  const RealCircuitStrip* strip = &strips.back();
  for (const RealCircuitStrip& candidate : strips) {
    if (y >= candidate.bottom) {
      strip = &candidate;
      break;
    }
  }
  const PreservedFpFlags keep;
  ClearFpFaults();
  try {
    const double teta = Checked("teta", static_cast<double>(x) / 100 * kFourPi);
    const std::optional<double> exact = SampleAt(s.exact, *strip, x);
    const std::optional<double> ideal = SampleAt(s.ideal, *strip, x);
    const std::string tetaText = ValueText(boxes::CursorTeta, teta);
    const std::string exactText = exact ? ValueText(boxes::CursorExact, *exact) : "";
    const std::string idealText = ideal ? ValueText(boxes::CursorIdeal, *ideal) : "";
    ui.setCaption(boxes::CursorTeta.control, tetaText);
    ui.setCaption(boxes::CursorExact.control, exactText);
    ui.setCaption(boxes::CursorIdeal.control, idealText);
    ui.setCaption(form4::Label140, "[" + std::string(strip->unit) + "]");
    ui.setTextColour(boxes::CursorExact.control, strip->exact);
    std::string tip = "teta= " + tetaText + "rad ; " + std::string(strip->name);
    if (exact) tip += " esatto = " + exactText + std::string(strip->unit);
    if (ideal)
      tip += std::string(exact ? " ;" : "") + " ideale = " + idealText + std::string(strip->unit);
    ui.setToolTip(form4::Picture1, tip);
  } catch (const ArithmeticFault& fault) {
    ui.setToolTip(form4::Picture1, fault.what());
  }
}

}  // namespace classe
