// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "actions/form6_controls.h"
#include "actions/form7_controls.h"
#include "actions/recording_controls.h"
#include "actions/sweep_view.h"
#include "actions/tolerance_view.h"

namespace classe {
namespace {

using statistics::BuildRow;
using statistics::StageFigures;

StageFigures Figures(double Po) {
  return {.Po = Po, .efficiency = 0.9, .vPeak = 2 * Po, .iSwitchPeak = 1, .vonFraction = 0.01};
}

// Ten builds with Po 40, 42 … 58 W, one with no steady state and one the run
// did not reach.
ToleranceView TenBuilds(bool partial) {
  statistics::MonteCarloResult r;
  r.nominal = Figures(50);
  for (int k = 0; k < 10; ++k) {
    BuildRow row;
    row.figures = Figures(40 + 2 * k);
    row.poOk = std::abs(row.figures->Po / 50 - 1) <= 0.1;  // as the run judges them
    row.done = true;
    r.rows.push_back(row);
  }
  BuildRow failed;
  failed.done = true;
  r.rows.push_back(failed);
  r.rows.push_back(BuildRow{});
  r.summary = statistics::Summarize(r.rows);
  r.partial = partial;
  statistics::ToleranceSettings settings;
  settings.builds = 12;
  settings.BVdss = 150;
  return MakeToleranceView(std::move(r), settings);
}

// The x of every vertical polyline drawn in `colour`.
std::vector<float> Verticals(const RecordingControls::Picture& p, Rgb colour) {
  std::vector<float> xs;
  for (const auto& line : p.polylines)
    if (line.colour == colour && line.points.size() == 2 && line.points[0].x == line.points[1].x &&
        line.points[0].y == 0)
      xs.push_back(line.points[0].x);
  return xs;
}

constexpr Rgb kRed{220, 0, 0};
constexpr Rgb kBlack{0, 0, 0};

TEST(ToleranceView, HistogramsCountTheSolvedBuildsWithTheBandAndTheNominalDrawn) {
  const ToleranceView view = TenBuilds(false);
  const auto& po = view.histograms[0];
  ASSERT_EQ(po.counts.size(), static_cast<std::size_t>(kMinBins));
  long long total = 0;
  for (long long c : po.counts)
    total += c;
  EXPECT_EQ(total, 10);
  EXPECT_DOUBLE_EQ(po.lo, 40);
  EXPECT_DOUBLE_EQ(po.hi, 58);

  RecordingControls ui;
  ShowToleranceRun(view, ui);
  const auto& picture = ui.picture(form6::Picture1);
  EXPECT_EQ(Verticals(picture, kRed), (std::vector<float>{45, 55}));
  EXPECT_EQ(Verticals(picture, kBlack), (std::vector<float>{50}));
  // The drain's rating beyond the bars still shows: the picture reaches it.
  const auto& peak = ui.picture(form6::Picture3);
  EXPECT_EQ(Verticals(peak, kRed), (std::vector<float>{150}));
  EXPECT_GT(peak.scale.right, 150);
  EXPECT_LT(peak.scale.left, 80);
  // Room above the tallest bar.
  EXPECT_GT(picture.scale.top, static_cast<double>(*std::ranges::max_element(po.counts)));
}

TEST(ToleranceView, TheTableTheYieldsAndTheStatusSayWhatTheRunDid) {
  RecordingControls ui;
  ShowToleranceRun(TenBuilds(false), ui);
  EXPECT_EQ(ui.caption(form6::Cell(form6::kSummaryFirst, 0, 2)), "50 %");
  EXPECT_EQ(ui.caption(form6::Cell(form6::kSummaryFirst, 1, 0)), "Po [W]");
  EXPECT_EQ(ui.caption(form6::Cell(form6::kSummaryFirst, 1, 2)), "49.00");  // the median
  EXPECT_EQ(ui.caption(form6::Cell(form6::kSummaryFirst, 1, 4)), "40.00");
  EXPECT_EQ(ui.caption(form6::Cell(form6::kSummaryFirst, 1, 5)), "58.00");
  EXPECT_EQ(ui.caption(form6::Cell(form6::kSummaryFirst, 2, 2)), "90.00");  // efficiency in %
  // Po 46 … 54 of the eleven builds done: 5 of 11.
  EXPECT_EQ(ui.caption(form6::Cell(form6::kYieldFirst, 0, 1)), "45.5 %");
  EXPECT_EQ(ui.caption(form6::Cell(form6::kYieldFirst, 2, 0)), "picco sul drain sotto 150 V");
  EXPECT_EQ(
      ui.caption(form6::Label1),
      "11 esemplari simulati con i valori del progetto esatto, 1 senza regime periodico, come "
      "montati. Po nominale 50.00 W.");

  RecordingControls stopped;
  ShowToleranceRun(TenBuilds(true), stopped);
  EXPECT_EQ(stopped.caption(form6::Label1)
                ->rfind("Analisi interrotta: risultati parziali, 11 "
                        "esemplari di 12",
                        0),
            0u);
}

TEST(ToleranceView, TheReadOutNamesTheBarUnderTheMouseAndNothingOutside) {
  const ToleranceView view = TenBuilds(false);
  RecordingControls ui;
  ShowToleranceRun(view, ui);
  // Bars 1.8 W wide from 40 W: 41 W is in the first, which holds one of the
  // ten solved builds.
  ShowHistogramReadout(view, ui, 0, 41, 0.5);
  EXPECT_EQ(ui.caption(form6::Label2), "Po [W] da 40.00 a 41.80: 1 esemplari, 10.0 %");
  ShowHistogramReadout(view, ui, 0, 57.9f, 0.5);
  EXPECT_EQ(ui.caption(form6::Label2), "Po [W] da 56.20 a 58.00: 1 esemplari, 10.0 %");
  ShowHistogramReadout(view, ui, 0, 39, 0.5);
  EXPECT_EQ(ui.caption(form6::Label2), "");
  ShowHistogramReadout(view, ui, 2, 80, 0.5);
  EXPECT_EQ(ui.caption(form6::Label2)->rfind("picco sul drain [V] da 80.00 a ", 0), 0u);
  ShowHistogramReadout(view, ui, 3, 80, 0.5);  // no such picture: nothing changes
  EXPECT_EQ(ui.caption(form6::Label2)->rfind("picco sul drain", 0), 0u);
}

TEST(ToleranceView, NoSolvedBuildLeavesThePicturesEmptyAndSaysSo) {
  statistics::MonteCarloResult r;
  BuildRow failed;
  failed.done = true;
  r.rows = {failed, failed};
  r.summary = statistics::Summarize(r.rows);
  const ToleranceView view = MakeToleranceView(r, {});
  RecordingControls ui;
  ShowToleranceRun(view, ui);
  EXPECT_TRUE(ui.picture(form6::Picture1).polylines.empty());
  EXPECT_EQ(ui.caption(form6::Label3), "Po [W]: nessun esemplare risolto");
  EXPECT_EQ(ui.caption(form6::Cell(form6::kSummaryFirst, 1, 2)), "");
  ShowHistogramReadout(view, ui, 0, 0, 0);
  EXPECT_EQ(ui.caption(form6::Label2), "");
}

// The load at 0.5, 1, 1.5 and 2 times its design value, 1.5 with no steady
// state.
SweepView FourPoints(statistics::SweepVariable variable, double unit) {
  SweepView view;
  view.variable = variable;
  for (int k = 0; k < 4; ++k) {
    statistics::SweepPoint p;
    p.x = (0.5 + 0.5 * k) * unit;
    p.done = true;
    if (k != 2) p.figures = Figures(10 + 10 * k);
    view.result.points.push_back(p);
  }
  view.result.designX = unit;
  return view;
}

constexpr Rgb kPoColour{0, 0, 192};

TEST(SweepView, CurvesBreakWhereNoSteadyStateIsAndTheDesignIsMarked) {
  RecordingControls ui;
  ShowSweepRun(FourPoints(statistics::SweepVariable::LoadFactor, 1), ui);
  const auto& p = ui.picture(form7::Picture1);
  std::vector<std::vector<PlotPoint>> po;
  for (const auto& line : p.polylines)
    if (line.colour == kPoColour) po.push_back(line.points);
  // The curve through 0.5 and 1 (the lone point at 2 draws nothing), and the
  // design's cross at 1 of two short lines.
  ASSERT_EQ(po.size(), 3u);
  ASSERT_EQ(po[0].size(), 2u);
  EXPECT_FLOAT_EQ(po[0][0].x, 0.5f);
  EXPECT_FLOAT_EQ(po[0][1].x, 1.0f);
  // Po 10 … 40 W in the top strip (80…100) with a tenth of margin, 7 … 43:
  // 10 W at 80 + 20·3/36.
  EXPECT_NEAR(po[0][0].y, 80 + 20 * (3.0 / 36), 1e-4);
  EXPECT_FLOAT_EQ(po[2][0].x, 1.0f);
  EXPECT_FLOAT_EQ(po[2][1].x, 1.0f);
  // The cross sits on the curve: 20 W at the design's x.
  EXPECT_NEAR(po[1][0].y, 80 + 20 * (13.0 / 36), 1e-4);
  EXPECT_EQ(ui.caption(form7::Label10), "Po [W]: da 7.00 a 43.00");
  // A turn-on voltage that moves only in its last digits is drawn flat, in a
  // range no narrower than the quantity's resolution.
  EXPECT_EQ(ui.caption(form7::Label14), "Von [% del picco]: da 0.90 a 1.10");
  EXPECT_EQ(ui.caption(form7::Label1), "4 punti calcolati, 1 senza regime periodico.");
  EXPECT_EQ(ui.caption(form7::Label4), "0.50");
  EXPECT_EQ(ui.caption(form7::Label5), "2.00");
}

TEST(SweepView, TheReadOutTakesTheNearestPointInTheFieldsUnits) {
  RecordingControls ui;
  const SweepView load = FourPoints(statistics::SweepVariable::LoadFactor, 1);
  ShowSweepReadout(load, ui, 1.4f, 50);
  EXPECT_EQ(ui.caption(form7::Label2), "carico × 1.50: nessun regime periodico");
  ShowSweepReadout(load, ui, 0.6f, 50);
  EXPECT_EQ(ui.caption(form7::Label2),
            "carico × 0.50: Po 10.00 W, rendimento 90.00 %, picco sul drain 20.00 V, picco nello "
            "switch 1.00 A, Von 1.00 % del picco");
  // The frequency is kept in Hz and read in MHz.
  const SweepView f = FourPoints(statistics::SweepVariable::Frequency, 4e6);
  ShowSweepRun(f, ui);
  EXPECT_EQ(ui.caption(form7::Label4), "2.00");
  ShowSweepReadout(f, ui, 8.1f, 50);
  EXPECT_EQ(ui.caption(form7::Label2)->rfind("f = 8.00 MHz: Po 40.00 W", 0), 0u);
}

TEST(SweepView, AnInputChosenOffersItsRangeFromTheMainWindow) {
  RecordingControls ui;
  ShowSweepDefaults(ui, statistics::SweepVariable::Vcc);
  EXPECT_EQ(ui.text(form7::Text1), "14");
  EXPECT_EQ(ui.text(form7::Text2), "42");
  ShowSweepDefaults(ui, statistics::SweepVariable::Reactance);
  EXPECT_EQ(ui.text(form7::Text1), "-0.5");
  EXPECT_EQ(ui.text(form7::Text2), "0.5");
  ui.setText({Window::Form1, "Text2"}, "13.56");
  ShowSweepDefaults(ui, statistics::SweepVariable::Frequency);
  EXPECT_EQ(ui.text(form7::Text1), "12.2");
  EXPECT_EQ(ui.text(form7::Text2), "14.92");
  // A main-window field that holds no number leaves the range alone.
  ui.setText({Window::Form1, "Text5"}, "abc");
  ShowSweepDefaults(ui, statistics::SweepVariable::Vcc);
  EXPECT_EQ(ui.text(form7::Text1), "12.2");
}

}  // namespace
}  // namespace classe
