// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/tolerance_view.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "actions/form6_controls.h"
#include "actions/stage_quantities.h"
#include "engine/design/display_format.h"

namespace classe {
namespace {

using statistics::Histogram;
using statistics::Spread;
using statistics::Summary;

// Where the summary holds each quantity, in their order.
constexpr std::array<Spread Summary::*, form6::kSummaryRows> kSpreads{
    &Summary::Po, &Summary::efficiency, &Summary::vPeak, &Summary::iSwitchPeak,
    &Summary::vonFraction};

constexpr std::array<std::string_view, form6::kSummaryColumns> kHeadings{
    "grandezza", "5 %", "50 %", "95 %", "minimo", "massimo"};

// The three histograms: which quantity of the table, and their controls.
struct HistogramPlace {
  int quantity;
  Control picture, title, low, high;
  Rgb colour;
};

constexpr std::array<HistogramPlace, 3> kPlaces{{
    {0, form6::Picture1, form6::Label3, form6::Label4, form6::Label5, {0, 0, 192}},
    {1, form6::Picture2, form6::Label6, form6::Label7, form6::Label8, {0, 128, 0}},
    {2, form6::Picture3, form6::Label9, form6::Label10, form6::Label11, {128, 0, 128}},
}};

constexpr Rgb kBandColour{220, 0, 0};
constexpr Rgb kNominalColour{0, 0, 0};

std::string Fixed(double x) {
  return Format(x, kFixed2);
}

std::string Percent(double fraction) {
  return Format(100 * fraction, "0.0") + " %";
}

std::vector<double> Values(const ToleranceView& view, const StageQuantity& q) {
  std::vector<double> values;
  values.reserve(view.result.rows.size());
  for (const statistics::BuildRow& row : view.result.rows)
    if (row.done && row.figures) values.push_back((*row.figures).*q.figure * q.scale);
  return values;
}

// The vertical lines a histogram carries besides its bars, in its units.
struct Marks {
  std::vector<double> band;
  double nominal = 0;
};

Marks MarksOf(const ToleranceView& view, int place) {
  const HistogramPlace& p = kPlaces[static_cast<std::size_t>(place)];
  const StageQuantity& q = kStageQuantities[static_cast<std::size_t>(p.quantity)];
  Marks marks;
  marks.nominal = view.result.nominal.*q.figure * q.scale;
  if (place == 0)
    marks.band = {marks.nominal * (1 - view.settings.poBand),
                  marks.nominal * (1 + view.settings.poBand)};
  if (place == 2 && view.settings.BVdss) marks.band = {*view.settings.BVdss};
  return marks;
}

// The picture's units: the bars and every mark, a margin either side, and
// room above the highest bar.
PlotScale ScaleOf(const Histogram& h, const Marks& marks) {
  double lo = std::min(h.lo, marks.nominal), hi = std::max(h.hi, marks.nominal);
  for (double x : marks.band) {
    lo = std::min(lo, x);
    hi = std::max(hi, x);
  }
  const double margin = 0.04 * (hi - lo);
  const long long most = h.counts.empty() ? 1 : *std::ranges::max_element(h.counts);
  return {lo - margin, 1.12 * static_cast<double>(std::max(most, 1LL)), hi + margin, 0};
}

void DrawHistogram(const ToleranceView& view, Controls& ui, int place) {
  const HistogramPlace& p = kPlaces[static_cast<std::size_t>(place)];
  const Histogram& h = view.histograms[static_cast<std::size_t>(place)];
  const StageQuantity& q = kStageQuantities[static_cast<std::size_t>(p.quantity)];
  ui.clearPicture(p.picture);
  std::string title(q.caption);
  if (h.counts.empty()) {
    ui.setCaption(p.title, title + ": nessun esemplare risolto");
    ui.setCaption(p.low, "");
    ui.setCaption(p.high, "");
    return;
  }
  const Marks marks = MarksOf(view, place);
  const PlotScale scale = ScaleOf(h, marks);
  ui.setScale(p.picture, scale);
  // The bars' outline as one step line along the base.
  std::vector<PlotPoint> outline;
  outline.reserve(2 * h.counts.size() + 2);
  outline.push_back({static_cast<float>(h.lo), 0});
  for (std::size_t k = 0; k < h.counts.size(); ++k) {
    const auto left = static_cast<float>(h.lo + static_cast<double>(k) * h.width());
    const auto right = static_cast<float>(h.lo + static_cast<double>(k + 1) * h.width());
    const auto height = static_cast<float>(h.counts[k]);
    outline.push_back({left, height});
    outline.push_back({right, height});
  }
  outline.push_back({static_cast<float>(h.hi), 0});
  ui.drawPolyline(p.picture, outline, p.colour);
  // Each bar's sides down to the base, so that neighbours read apart.
  for (std::size_t k = 1; k < h.counts.size(); ++k) {
    const auto x = static_cast<float>(h.lo + static_cast<double>(k) * h.width());
    const auto height = static_cast<float>(std::min(h.counts[k - 1], h.counts[k]));
    const PlotPoint side[] = {{x, 0}, {x, height}};
    ui.drawPolyline(p.picture, side, p.colour);
  }
  const auto top = static_cast<float>(scale.top);
  const auto vertical = [&](double x, Rgb colour) {
    const PlotPoint line[] = {{static_cast<float>(x), 0}, {static_cast<float>(x), top}};
    ui.drawPolyline(p.picture, line, colour);
  };
  const PlotPoint base[] = {{static_cast<float>(scale.left), 0},
                            {static_cast<float>(scale.right), 0}};
  ui.drawPolyline(p.picture, base, kNominalColour);
  vertical(marks.nominal, kNominalColour);
  for (double x : marks.band)
    vertical(x, kBandColour);
  if (place == 0) title += ", banda ±" + Format(100 * view.settings.poBand, "0.0") + " % in rosso";
  if (place == 2 && view.settings.BVdss) title += ", V(BR)DSS in rosso";
  ui.setCaption(p.title, title + "; nero: il nominale");
  ui.setCaption(p.low, Fixed(scale.left));
  ui.setCaption(p.high, Fixed(scale.right));
}

void ShowSummary(const ToleranceView& view, Controls& ui) {
  using form6::Cell;
  ShowToleranceHeadings(ui);
  const Summary& s = view.result.summary;
  const bool any = s.builds > s.failed;
  for (int r = 0; r < form6::kSummaryRows; ++r) {
    const StageQuantity& q = kStageQuantities[static_cast<std::size_t>(r)];
    const Spread& v = s.*kSpreads[static_cast<std::size_t>(r)];
    const double values[] = {v.p5, v.p50, v.p95, v.min, v.max};
    for (int c = 1; c < form6::kSummaryColumns; ++c)
      ui.setCaption(Cell(form6::kSummaryFirst, r + 1, c),
                    any ? Fixed(values[c - 1] * q.scale) : std::string());
  }
  const statistics::ToleranceSettings& t = view.settings;
  const std::string yields[form6::kYieldRows][2] = {
      {"Po entro ±" + Format(100 * t.poBand, "0.0") + " % del nominale", Percent(s.yield.Po)},
      {"Von entro " + Format(100 * t.vonBand, "0.0") + " % del picco", Percent(s.yield.von)},
      {t.BVdss ? "picco sul drain sotto " + Format(*t.BVdss, "0") + " V"
               : "picco sul drain: V(BR)DSS non data",
       s.yield.vPeak ? Percent(*s.yield.vPeak) : "—"},
      {"tutte le condizioni insieme", Percent(s.yield.all)},
  };
  for (int r = 0; r < form6::kYieldRows; ++r)
    for (int c = 0; c < 2; ++c)
      ui.setCaption(Cell(form6::kYieldFirst, r, c), yields[r][c]);
}

std::string StatusText(const ToleranceView& view) {
  const Summary& s = view.result.summary;
  std::string text = std::to_string(s.builds) + " esemplari simulati";
  if (view.result.partial)
    text = "Analisi interrotta: risultati parziali, " + std::to_string(s.builds) +
           " esemplari di " + std::to_string(view.settings.builds);
  text += view.bought ? " con le parti acquistate" : " con i valori del progetto esatto";
  if (s.failed) text += ", " + std::to_string(s.failed) + " senza regime periodico";
  text += view.settings.retune ? ", ritarati L2 e il carico" : ", come montati";
  text += ". Po nominale " + Fixed(view.result.nominal.Po) + " W.";
  return text;
}

}  // namespace

ToleranceView MakeToleranceView(statistics::MonteCarloResult result,
                                statistics::ToleranceSettings settings) {
  ToleranceView view{std::move(result), std::move(settings), {}};
  for (std::size_t k = 0; k < kPlaces.size(); ++k) {
    const std::vector<double> values =
        Values(view, kStageQuantities[static_cast<std::size_t>(kPlaces[k].quantity)]);
    if (values.empty()) continue;
    const int bins =
        std::clamp(static_cast<int>(std::lround(std::sqrt(values.size()))), kMinBins, kMaxBins);
    view.histograms[k] = statistics::MakeHistogram(values, bins);
  }
  return view;
}

void ShowToleranceRun(const ToleranceView& view, Controls& ui) {
  ShowSummary(view, ui);
  for (int place = 0; place < static_cast<int>(kPlaces.size()); ++place)
    DrawHistogram(view, ui, place);
  ui.setCaption(form6::Label1, StatusText(view));
  ui.setCaption(form6::Label2, "");
}

void ShowToleranceHeadings(Controls& ui) {
  using form6::Cell;
  for (int c = 0; c < form6::kSummaryColumns; ++c)
    ui.setCaption(Cell(form6::kSummaryFirst, 0, c), kHeadings[static_cast<std::size_t>(c)]);
  for (int r = 0; r < form6::kSummaryRows; ++r)
    ui.setCaption(Cell(form6::kSummaryFirst, r + 1, 0),
                  kStageQuantities[static_cast<std::size_t>(r)].caption);
  constexpr std::string_view kYields[form6::kYieldRows] = {"Po nella banda", "Von nella banda",
                                                           "picco sul drain sotto V(BR)DSS",
                                                           "tutte le condizioni insieme"};
  for (int r = 0; r < form6::kYieldRows; ++r)
    ui.setCaption(Cell(form6::kYieldFirst, r, 0), kYields[r]);
}

void ClearToleranceRun(Controls& ui) {
  using form6::Cell;
  for (int r = 1; r <= form6::kSummaryRows; ++r)
    for (int c = 1; c < form6::kSummaryColumns; ++c)
      ui.setCaption(Cell(form6::kSummaryFirst, r, c), "");
  for (int r = 0; r < form6::kYieldRows; ++r)
    ui.setCaption(Cell(form6::kYieldFirst, r, 1), "");
  for (const HistogramPlace& p : kPlaces) {
    ui.clearPicture(p.picture);
    ui.setCaption(p.low, "");
    ui.setCaption(p.high, "");
  }
  ui.setCaption(form6::Label2, "");
}

void ShowHistogramReadout(const ToleranceView& view, Controls& ui, int picture, float x, float) {
  if (picture < 0 || picture >= static_cast<int>(kPlaces.size())) return;
  const HistogramPlace& p = kPlaces[static_cast<std::size_t>(picture)];
  const Histogram& h = view.histograms[static_cast<std::size_t>(picture)];
  const auto bin = h.binAt(x);
  if (!bin) {
    ui.setCaption(form6::Label2, "");
    ui.setToolTip(p.picture, "");
    return;
  }
  const StageQuantity& q = kStageQuantities[static_cast<std::size_t>(p.quantity)];
  const double from = h.lo + static_cast<double>(*bin) * h.width();
  const long long count = h.counts[*bin];
  const long long solved = view.result.summary.builds - view.result.summary.failed;
  const std::string text = std::string(q.caption) + " da " + Fixed(from) + " a " +
                           Fixed(from + h.width()) + ": " + std::to_string(count) + " esemplari, " +
                           Percent(static_cast<double>(count) / static_cast<double>(solved));
  ui.setCaption(form6::Label2, text);
  ui.setToolTip(p.picture, text);
}

std::string ToleranceProgressText(long long done, long long builds) {
  return "Simulazione in corso: " + std::to_string(done) + " esemplari di " +
         std::to_string(builds) + "…";
}

}  // namespace classe
