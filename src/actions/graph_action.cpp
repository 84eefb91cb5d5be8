// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/graph_action.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "actions/compute_action.h"
#include "actions/curves.h"
#include "actions/form2_controls.h"
#include "actions/sampling_prologue.h"
#include "engine/design/display_format.h"
#include "engine/design/fault.h"
#include "engine/design/sampling.h"
#include "engine/plot/single_precision.h"

namespace classe {
namespace {

struct AxisCaption {
  Control control;
  std::string_view caption;  // empty: the number 0 in the pattern "0"
  double left;
  double top;
};

// In the units of the picture box that holds each label, in placing order.
constexpr std::array<AxisCaption, 16> kAxisCaptions{{
    {form2::Label1, "Vc1(teta)[V]", 15, 98.5},
    {form2::Label2, "", 50, 81.5},
    {form2::Label3, "teta[rad]", 95, 83.5},
    {form2::Label4, "Isw(teta)[A]", 15, 78.5},
    {form2::Label6, "", 50, 61.5},
    {form2::Label11, "Ic1(teta)[A]", 15, 58.5},
    {form2::Label12, "", 50, 41.5},
    {form2::Label13, "Ir(teta)[A]", 15, 38.5},
    {form2::Label14, "", 50, 21.5},
    {form2::Label5, "teta[rad]", 95, 63.5},
    {form2::Label7, "3.14", 24, 44},
    {form2::Label18, "6.28", 49, 38},
    {form2::Label9, "9.42", 74, 44},
    {form2::Label8, "12.56", 98, 38},
    {form2::Label10, "teta[rad]", 95, 44},
    {form2::Label15, "teta[rad]", 95, 24},
}};

// Abscissa of sample j: 100 · j in 64 bits, as the 32-bit product would
// overflow above M = 21 474 836.
float CurveX(std::int64_t j, std::int32_t M) {
  return ToFloatOrOverflow(static_cast<double>(100 * j) / M);
}

float CurveY(double sample, const Curve& curve, double maximum) {
  return ToFloatOrOverflow(curve.baseline + curve.gain * sample / maximum);
}

// A block whose flags show a fault, computed again one checked coordinate at
// a time: the curve up to the faulting point is drawn (each segment needs
// both its ends) and the fault goes on up.
void ReplayBlock(const DesignState& s, Controls& ui, const Curve& curve,
                 std::span<const PlotPoint> points, std::int64_t begin, std::int64_t end) {
  const SampleArray& samples = s.*curve.samples;
  const std::string quantity = "y della curva " + std::string(curve.valueBox.quantity);
  ClearFpFaults();
  for (std::int64_t j = begin; j < end; ++j) {
    try {
      Checked("x", CurveX(j, s.M));
      Checked(quantity, CurveY(samples[static_cast<std::size_t>(j)], curve, s.*curve.maximum));
    } catch (const ArithmeticFault&) {
      if (j >= 2) {
        ui.drawPolyline(form2::Picture1, points.first(static_cast<std::size_t>(j)), curve.colour);
      }
      throw;
    }
  }
}

// The abscissae, the same for every curve, formed once. They cannot fault:
// M ≥ 1 here, as M = 0 has already stopped the sampling.
std::vector<PlotPoint> Abscissae(std::int32_t M) {
  std::vector<PlotPoint> points(static_cast<std::size_t>(std::max(M, 0)) + 1);
  for (std::int64_t j = 0; j <= M; ++j)
    points[static_cast<std::size_t>(j)].x = CurveX(j, M);
  return points;
}

// One polyline through samples 0…M, in the curve's colour, over `points`
// whose abscissae are already set.
void DrawCurve(const DesignState& s, Controls& ui, const Curve& curve,
               std::vector<PlotPoint>& points) {
  const SampleArray& samples = s.*curve.samples;
  const double maximum = s.*curve.maximum;
  const std::int32_t M = s.M;
  ClearFpFaults();
  RunCheckedBlocks(
      std::int64_t{M} + 1,
      [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t j = begin; j < end; ++j) {
          points[static_cast<std::size_t>(j)].y =
              CurveY(samples[static_cast<std::size_t>(j)], curve, maximum);
        }
      },
      [&](std::int64_t begin, std::int64_t end) { ReplayBlock(s, ui, curve, points, begin, end); });
  if (M >= 1) ui.drawPolyline(form2::Picture1, points, curve.colour);
}

}  // namespace

void DrawAxes(Controls& ui) {
  auto line = [&ui](float x1, float y1, float x2, float y2) {
    ui.drawLine(form2::Picture1, {x1, y1}, {x2, y2});
  };
  for (int y = 100; y >= 5; y -= 5)
    line(0, float(y), 0.2f, float(y));  // none at y = 0
  for (int x = 0; x <= 100; x += 25)
    line(float(x), 80, float(x), 80.5f);
  for (int x = 0; x <= 100; x += 25)
    line(float(x), 60, float(x), 60.5f);
  for (float y : {80.f, 60.f, 40.f, 20.f})
    line(0, y, 100, y);
}

void LabelAxes(Controls& ui) {
  ui.setScale(form2::Picture3, kCaptionScale);
  for (const AxisCaption& label : kAxisCaptions) {
    ui.setCaption(label.control,
                  label.caption.empty() ? Format(0, kWhole) : std::string(label.caption));
    ui.moveControl(label.control, label.left, label.top);
  }
}

void PlotWaveforms(DesignState& s, Controls& ui) {
  ui.showWindow(Window::Form2);
  ui.setScale(form2::Picture1, kPlotScale);
  DrawAxes(ui);
  SampleWaveforms(s, kAllWaveforms);
  FindVc1Max(s);
  FindIswMax(s);
  FindIc1Max(s);
  FindIrMax(s);
  std::vector<PlotPoint> points = Abscissae(s.M);
  for (const Curve& curve : Curves())
    DrawCurve(s, ui, curve, points);
}

Outcome ShowGraphs(DesignState& s, Controls& ui) {
  // RL is checked too, although the graphs do not use it. Besides the four
  // arrays, each curve's points are formed before drawing.
  if (const Outcome admitted = AdmitSampling(s, ui, kAllWaveforms, sizeof(PlotPoint));
      admitted != Outcome::Done) {
    return admitted;
  }
  ui.loadWindow(Window::Form2);
  ui.clearPicture(form2::Picture1);
  HideMatchingPictures(ui);
  return RunGuarded(ui, [&] {
    PrepareSampling(s, ui, [&] {
      if (s.Von > 0) {
        ui.message(
            "Se Von > 0 il grafico viene rappresentato ugualmente ma non risultano più valide le "
            "ipotesi fatte per l'amplificatore ideale in Classe E");
      }
    });
    PlotWaveforms(s, ui);
    LabelAxes(ui);
    return Outcome::Done;
  });
}

}  // namespace classe
