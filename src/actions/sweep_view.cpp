// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/sweep_view.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "actions/analysis_fields.h"
#include "actions/field_text.h"
#include "actions/form7_controls.h"
#include "actions/input_fields.h"
#include "actions/stage_quantities.h"
#include "engine/design/display_format.h"

namespace classe {
namespace {

using statistics::SweepPoint;
using statistics::SweepVariable;

constexpr std::array<Control, 5> kStripCaptions{form7::Label10, form7::Label11, form7::Label12,
                                                form7::Label13, form7::Label14};
// The graph window's colours, one a quantity.
constexpr std::array<Rgb, 5> kColours{
    {{0, 0, 192}, {0, 128, 0}, {192, 0, 0}, {128, 0, 128}, {0, 128, 128}}};
constexpr Rgb kGrid{160, 160, 160};
constexpr Rgb kDesignLine{0, 0, 0};

// What the input is called under the plot and in the read-out, and the
// factor from its SI value to the one the fields hold.
struct Input {
  std::string_view caption;
  std::string_view symbol;
  std::string_view unit;
  double scale;
};

Input InputOf(SweepVariable variable) {
  switch (variable) {
    case SweepVariable::LoadFactor:
      return {"carico / carico di progetto", "carico ×", "", 1};
    case SweepVariable::Reactance:
      return {"reattanza in serie al carico / carico (+ induttiva, − capacitiva)",
              "X / carico =", "", 1};
    case SweepVariable::Vcc:
      return {"Vcc [V]", "Vcc =", " V", 1};
    case SweepVariable::Frequency:
      return {"f [MHz]", "f =", " MHz", 1e-6};
  }
  return {};
}

std::string Fixed(double x) {
  return Format(x, kFixed2);
}

// A strip's range: the values' extremes with a tenth of a margin, and never
// narrower than the quantity's resolution, about the values' middle.
struct Range {
  double lo = 0, hi = 1;
};

Range RangeOf(const std::vector<SweepPoint>& points, const StageQuantity& q) {
  double lo = INFINITY, hi = -INFINITY;
  for (const SweepPoint& p : points) {
    if (!p.done || !p.figures) continue;
    const double v = (*p.figures).*q.figure * q.scale;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  if (!(lo <= hi)) return {};
  const double margin = 0.1 * (hi - lo);
  lo -= margin;
  hi += margin;
  if (hi - lo < q.resolution) {
    const double middle = (lo + hi) / 2;
    return {middle - q.resolution / 2, middle + q.resolution / 2};
  }
  return {lo, hi};
}

float HeightIn(int strip, const Range& r, double v) {
  const double bottom = 100 - kStripHeight * (strip + 1);
  return static_cast<float>(bottom + kStripHeight * (v - r.lo) / (r.hi - r.lo));
}

// The curve's value at x between the two points that hold it, when both
// have one.
std::optional<double> ValueAt(const std::vector<SweepPoint>& points, const StageQuantity& q,
                              double x, double xScale) {
  for (std::size_t k = 0; k + 1 < points.size(); ++k) {
    const SweepPoint& a = points[k];
    const SweepPoint& b = points[k + 1];
    const double xa = a.x * xScale, xb = b.x * xScale;
    if (x < std::min(xa, xb) || x > std::max(xa, xb)) continue;
    if (!a.done || !b.done || !a.figures || !b.figures) return std::nullopt;
    const double va = (*a.figures).*q.figure * q.scale, vb = (*b.figures).*q.figure * q.scale;
    const double t = xb == xa ? 0 : (x - xa) / (xb - xa);
    return va + t * (vb - va);
  }
  return std::nullopt;
}

}  // namespace

void ShowSweepRun(const SweepView& view, Controls& ui) {
  const Input input = InputOf(view.variable);
  const std::vector<SweepPoint>& points = view.result.points;
  ui.clearPicture(form7::Picture1);
  if (points.empty()) return;
  const double first = points.front().x * input.scale, last = points.back().x * input.scale;
  const double span = last - first;
  ui.setScale(form7::Picture1, {first - 0.02 * span, 100, last + 0.02 * span, 0});
  for (int strip = 1; strip < 5; ++strip) {
    const auto y = static_cast<float>(100 - kStripHeight * strip);
    const PlotPoint line[] = {{static_cast<float>(first - 0.02 * span), y},
                              {static_cast<float>(last + 0.02 * span), y}};
    ui.drawPolyline(form7::Picture1, line, kGrid);
  }
  const double design = view.result.designX * input.scale;
  const PlotPoint designLine[] = {{static_cast<float>(design), 0},
                                  {static_cast<float>(design), 100}};
  ui.drawPolyline(form7::Picture1, designLine, kDesignLine);

  for (int strip = 0; strip < 5; ++strip) {
    const StageQuantity& q = kStageQuantities[static_cast<std::size_t>(strip)];
    const Range range = RangeOf(points, q);
    const Rgb colour = kColours[static_cast<std::size_t>(strip)];
    std::vector<PlotPoint> run;
    const auto flush = [&] {
      if (run.size() > 1) ui.drawPolyline(form7::Picture1, run, colour);
      run.clear();
    };
    for (const SweepPoint& p : points) {
      if (!p.done || !p.figures) {
        flush();
        continue;
      }
      run.push_back({static_cast<float>(p.x * input.scale),
                     HeightIn(strip, range, (*p.figures).*q.figure * q.scale)});
    }
    flush();
    // The design point: a small cross on the curve, a fiftieth of the span
    // wide and a fifth of the strip high.
    if (const auto v = ValueAt(points, q, design, input.scale)) {
      const float y = HeightIn(strip, range, *v);
      const auto x = static_cast<float>(design);
      const auto dx = static_cast<float>(0.01 * span);
      const PlotPoint across[] = {{x - dx, y}, {x + dx, y}};
      const PlotPoint up[] = {{x, y - 2}, {x, y + 2}};
      ui.drawPolyline(form7::Picture1, across, colour);
      ui.drawPolyline(form7::Picture1, up, colour);
    }
    const Control caption = kStripCaptions[static_cast<std::size_t>(strip)];
    ui.setCaption(caption,
                  std::string(q.caption) + ": da " + Fixed(range.lo) + " a " + Fixed(range.hi));
    ui.setTextColour(caption, colour);
    ui.moveControl(caption, first - 0.02 * span, 100 - kStripHeight * strip);
  }
  ui.setCaption(form7::Label3, std::string(input.caption) + "; in nero il progetto");
  ui.setCaption(form7::Label4, Fixed(first));
  ui.setCaption(form7::Label5, Fixed(last));

  long long done = 0, missing = 0;
  for (const SweepPoint& p : points) {
    done += p.done;
    missing += p.done && !p.figures;
  }
  std::string status = std::to_string(done) + " punti calcolati";
  if (view.result.partial)
    status = "Scansione interrotta: risultati parziali, " + std::to_string(done) + " punti di " +
             std::to_string(points.size());
  if (missing) status += ", " + std::to_string(missing) + " senza regime periodico";
  ui.setCaption(form7::Label1, status + '.');
  ui.setCaption(form7::Label2, "");
}

void ClearSweepRun(Controls& ui) {
  ui.clearPicture(form7::Picture1);
  for (Control caption : kStripCaptions)
    ui.setCaption(caption, "");
  for (Control c : {form7::Label2, form7::Label3, form7::Label4, form7::Label5})
    ui.setCaption(c, "");
}

void ShowSweepReadout(const SweepView& view, Controls& ui, float x, float) {
  const Input input = InputOf(view.variable);
  const SweepPoint* nearest = nullptr;
  for (const SweepPoint& p : view.result.points) {
    if (!p.done) continue;
    if (!nearest || std::abs(p.x * input.scale - x) < std::abs(nearest->x * input.scale - x))
      nearest = &p;
  }
  if (!nearest) return;
  std::string text =
      std::string(input.symbol) + ' ' + Fixed(nearest->x * input.scale) + std::string(input.unit);
  if (!nearest->figures) {
    text += ": nessun regime periodico";
  } else {
    for (const StageQuantity& q : kStageQuantities)
      text += (&q == &kStageQuantities.front() ? ": " : ", ") + std::string(q.name) + ' ' +
              Fixed((*nearest->figures).*q.figure * q.scale) + ' ' + std::string(q.unit);
  }
  ui.setCaption(form7::Label2, text);
  ui.setToolTip(form7::Picture1, text);
}

void ShowSweepDefaults(Controls& ui, SweepVariable variable) {
  std::optional<double> from, to;
  switch (variable) {
    case SweepVariable::LoadFactor:
      from = 0.5, to = 2;
      break;
    case SweepVariable::Reactance:
      from = -0.5, to = 0.5;
      break;
    case SweepVariable::Vcc:
      if (const auto vcc = ParseDecimal(ui.text(fields::Vcc.control)); vcc && *vcc > 0)
        from = 0.5 * *vcc, to = 1.5 * *vcc;
      break;
    case SweepVariable::Frequency:
      if (const auto f = ParseDecimal(ui.text(fields::f.control)); f && *f > 0)
        from = 0.9 * *f, to = 1.1 * *f;
      break;
  }
  if (!from) return;
  // Four significant digits, the point whatever the locale: the field shows
  // a number as the user would type it.
  const auto text = [](double v) {
    char s[32];
    return std::string(s, std::to_chars(s, s + sizeof s, v, std::chars_format::general, 4).ptr);
  };
  ui.setText(analysis::da.control, text(*from));
  ui.setText(analysis::a.control, text(*to));
}

std::string SweepProgressText(long long done, long long points) {
  return "Scansione in corso: " + std::to_string(done) + " punti di " + std::to_string(points) +
         "…";
}

}  // namespace classe
