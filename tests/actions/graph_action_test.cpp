// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "actions/cursor_readout.h"
#include "actions/graph_action.h"
#include "actions/peak_action.h"
#include "engine/design/display_format.h"
#include "engine/design/fault.h"
#include "tests/known_messages.h"
#include "tests/support.h"

namespace classe {
namespace {

using namespace testing;

struct Graphs {
  RecordingControls ui;
  DesignState s;
  Outcome outcome;

  explicit Graphs(std::initializer_list<std::pair<Control, const char*>> fields = {})
      : ui(Fields(fields)), outcome(ShowGraphs(s, ui)) {}
  const RecordingControls::Picture& plot() { return ui.picture(form2::Picture1); }
  std::string box(Control label) { return ui.caption(label).value_or(""); }
};

TEST(GraphAction, DrawsTheSameGridForEveryDesign) {
  Graphs low({{form1::Text5, "5"}});
  Graphs high;
  const auto& lines = high.plot().lines;
  EXPECT_EQ(low.plot().lines, lines);
  EXPECT_EQ(high.plot().scale, (PlotScale{0, 100, 105, 0}));
  // A baseline across teta 0…4π for each strip; everything else is a tick.
  std::vector<float> baselines;
  for (const auto& [from, to] : lines) {
    if (to.x - from.x == 100 && from.y == to.y) {
      baselines.push_back(from.y);
    } else {
      EXPECT_LE(std::hypot(to.x - from.x, to.y - from.y), 0.5f);
    }
  }
  EXPECT_EQ(baselines, (std::vector<float>{80, 60, 40, 20}));
  EXPECT_EQ(lines.size(), 34u);  // 20 ticks on the edge, 5 angle ticks on each of two strips
}

TEST(GraphAction, EachCurveReachesTheTopOfItsStrip) {
  Graphs g;
  ASSERT_EQ(g.outcome, Outcome::Done);
  EXPECT_TRUE(g.ui.messages().empty());
  const auto& curves = g.plot().polylines;
  ASSERT_EQ(curves.size(), 4u);
  const float tops[] = {98, 78, 58, 29};
  const float baselines[] = {80, 60, 40, 20};
  const Rgb colours[] = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {255, 0, 255}};
  const SampleArray* samples[] = {&g.s.Vc1Samples, &g.s.IswSamples, &g.s.Ic1Samples,
                                  &g.s.IrSamples};
  for (int c = 0; c < 4; ++c) {
    const auto& points = curves[c].points;
    ASSERT_EQ(points.size(), 1001u);
    EXPECT_EQ(curves[c].colour, colours[c]);
    EXPECT_EQ(points.front().x, 0);
    EXPECT_EQ(points.back().x, 100);
    const auto top =
        std::max_element(points.begin(), points.end(), [](auto a, auto b) { return a.y < b.y; });
    EXPECT_EQ(top->y, tops[c]);
    for (std::size_t j = 0; j < points.size(); ++j) {
      if ((*samples[c])[j] == 0) {
        ASSERT_EQ(points[j].y, baselines[c]) << c << " " << j;
      }
    }
  }
}

TEST(GraphAction, EightSamplesPutCornersAtQuarterPeriods) {
  Graphs g({{form1::Text9, "8"}});
  for (const auto& curve : g.plot().polylines) {
    ASSERT_EQ(curve.points.size(), 9u);
    for (int j = 0; j <= 8; ++j)
      EXPECT_EQ(curve.points[j].x, 12.5f * static_cast<float>(j));
  }
}

TEST(GraphAction, ACountThatFillsWholeBlocksStillDrawsItsLastPoint) {
  // 4096 intervals: the last point, 4π, begins a block of its own.
  Graphs g({{form1::Text9, "4096"}});
  const auto& curves = g.plot().polylines;
  ASSERT_EQ(curves.size(), 4u);
  EXPECT_EQ(curves[0].points.back(), (PlotPoint{100, 80}));  // Vc1 = Von = 0 on its baseline
  EXPECT_EQ(curves[2].points.back(), (PlotPoint{100, 40}));  // Ic1 = 0, switch closed
}

TEST(GraphAction, OneSampleDrawsTheGridAndStops) {
  // Both Vc1 samples are 0, so its first height is 0/0.
  Graphs g({{form1::Text9, "1"}});
  EXPECT_EQ(g.outcome, Outcome::Fault);
  EXPECT_EQ(Messages(g.ui), std::vector<std::string>{FaultMessage(FaultKind::InvalidOperation,
                                                                  "y della curva Vc1(teta)")});
  EXPECT_EQ(g.plot().lines.size(), 34u);
  EXPECT_TRUE(g.plot().polylines.empty());
  EXPECT_FALSE(g.ui.caption(form2::Label1));  // the captions are not placed
}

TEST(GraphAction, ZeroSupplyWithOnVoltageDrawsOnlyTheVoltage) {
  Graphs g({{form1::Text5, "0"}, {form1::Text4, "0.3"}});
  EXPECT_EQ(g.outcome, Outcome::Fault);
  ASSERT_EQ(g.ui.messages().size(), 2u);
  EXPECT_EQ(g.ui.messages()[0].text, kVonWarning);
  EXPECT_TRUE(g.ui.messages()[1].fault);
  ASSERT_EQ(g.plot().polylines.size(), 1u);
  EXPECT_EQ(g.plot().polylines[0].colour, (Rgb{255, 0, 0}));
}

TEST(GraphAction, WarnsOnlyForAPositiveOnVoltage) {
  Graphs warned({{form1::Text4, "0.3"}});
  EXPECT_EQ(Messages(warned.ui), std::vector<std::string>{std::string(kVonWarning)});
  EXPECT_EQ(warned.plot().polylines.size(), 4u);  // then draws all four
  EXPECT_TRUE(Graphs({{form1::Text4, "0"}}).ui.messages().empty());
  EXPECT_TRUE(Graphs({{form1::Text4, "-1"}}).ui.messages().empty());
}

TEST(GraphAction, RedrawsTheOneWindowAndHidesTheMatchingPictures) {
  Graphs g;
  ShowGraphs(g.s, g.ui);
  EXPECT_EQ(g.ui.timesShown(Window::Form2), 2);
  EXPECT_EQ(g.plot().clears, 2);
  EXPECT_EQ(g.plot().polylines.size(), 4u);
  EXPECT_FALSE(*g.ui.visible(form1::Image2));
  EXPECT_FALSE(*g.ui.visible(form1::Image3));
}

TEST(GraphAction, PlacesTheSixteenCaptions) {
  // Label, caption, left and top in the units of the caption strip (the
  // first nine) or of the plot.
  const std::tuple<Control, const char*, double, double> placed[] = {
      {form2::Label1, "Vc1(teta)[V]", 15, 98.5},
      {form2::Label2, "0", 50, 81.5},
      {form2::Label3, "teta[rad]", 95, 83.5},
      {form2::Label4, "Isw(teta)[A]", 15, 78.5},
      {form2::Label6, "0", 50, 61.5},
      {form2::Label11, "Ic1(teta)[A]", 15, 58.5},
      {form2::Label12, "0", 50, 41.5},
      {form2::Label13, "Ir(teta)[A]", 15, 38.5},
      {form2::Label14, "0", 50, 21.5},
      {form2::Label5, "teta[rad]", 95, 63.5},
      {form2::Label7, "3.14", 24, 44},
      {form2::Label18, "6.28", 49, 38},
      {form2::Label9, "9.42", 74, 44},
      {form2::Label8, "12.56", 98, 38},
      {form2::Label10, "teta[rad]", 95, 44},
      {form2::Label15, "teta[rad]", 95, 24},
  };
  Graphs g;
  EXPECT_EQ(g.ui.picture(form2::Picture3).scale, (PlotScale{0, 100, 100, 0}));
  for (const auto& [label, text, left, top] : placed) {
    EXPECT_EQ(g.box(label), text) << label.name;
    EXPECT_EQ(g.ui.position(label), (std::pair<double, double>{left, top})) << label.name;
  }
}

TEST(CursorReadout, AngleFollowsXBeyondThePlottedRange) {
  Graphs g;
  const std::pair<float, const char*> cases[] = {
      {0, "0.00"}, {25, "3.14"}, {100, "12.57"}, {105, "13.19"}};
  for (const auto& [x, text] : cases) {
    ShowCursorReadout(g.s, g.ui, x, 90);
    EXPECT_EQ(g.box(form2::Label16), text);
  }
}

TEST(CursorReadout, HeightSelectsTheStripAndReadsItsScale) {
  Graphs g;
  // Height, then the option selected and its value box with the value.
  const std::tuple<float, Control, Control, std::string> cases[] = {
      {80, form2::Option1, form2::Label17, "0.00"},
      {60, form2::Option2, form2::Label24, "0.00"},
      {40, form2::Option3, form2::Label32, "0.00"},
      {20, form2::Option4, form2::Label36, "0.00"},
      {98, form2::Option1, form2::Label17, Format(g.s.Vc1max, "0.00")},
      {29, form2::Option4, form2::Label36, Format(g.s.Irmax, "0.00")},
      {0, form2::Option4, form2::Label36, Format(-20 * g.s.Irmax / 9, "0.00")},  // bottom edge
      {79.5f, form2::Option1, form2::Label17, Format(-0.5 * g.s.Vc1max / 18, "0.00")},
      {59.7f, form2::Option2, form2::Label24, Format((59.7f - 60.0) * g.s.Iswmax / 18, "0.00")},
  };
  const Control boxes[] = {form2::Label16, form2::Label17, form2::Label23, form2::Label24,
                           form2::Label29, form2::Label32, form2::Label35, form2::Label36};
  ShowCursorReadout(g.s, g.ui, 50, 80);
  const std::string teta = g.box(form2::Label16);  // the same angle in every strip
  for (const auto& [y, option, valueBox, value] : cases) {
    ShowCursorReadout(g.s, g.ui, 50, y);
    EXPECT_TRUE(g.ui.isSelected(option)) << y;
    EXPECT_EQ(g.box(valueBox), value) << y;
    int filled = 0;
    for (Control b : boxes) {
      filled += !g.box(b).empty();
      if (!g.box(b).empty() && !(b == valueBox)) {
        EXPECT_EQ(g.box(b), teta) << y;
      }
    }
    EXPECT_EQ(filled, 2) << y;  // exactly one curve's boxes
  }
  EXPECT_EQ(g.box(form2::Label17), "");
}

TEST(CursorReadout, TooltipAndColourOfTheValue) {
  Graphs g;
  ShowCursorReadout(g.s, g.ui, 25, 98);
  EXPECT_EQ(*g.ui.toolTip(form2::Picture1),
            "teta= 3.14rad ; Vc1(teta) = " + Format(g.s.Vc1max, "0.00") + "V");
  EXPECT_EQ(*g.ui.textColour(form2::Label17), (Rgb{255, 0, 0}));
  ShowCursorReadout(g.s, g.ui, 0, 10);
  EXPECT_EQ(*g.ui.toolTip(form2::Picture1),
            "teta= 0.00rad ; Ir(teta) = " + Format(-10 * g.s.Irmax / 9, "0.00") + "A");
  EXPECT_EQ(*g.ui.textColour(form2::Label36), (Rgb{255, 0, 255}));
}

TEST(CursorReadout, BelowThePlotKeepsTheSelection) {
  Graphs g;
  g.ui.select(form2::Option3);
  ShowCursorReadout(g.s, g.ui, 10, -1);
  EXPECT_TRUE(g.ui.isSelected(form2::Option3));
  EXPECT_FALSE(g.box(form2::Label32).empty());
}

TEST(CursorReadout, AShorterCapacitorArrayIsNeverReadPastItsEnd) {
  Graphs g({{form1::Text9, "100"}});
  g.ui.setText(form1::Text9, "5000");
  ASSERT_EQ(ShowPeakValues(g.s, g.ui), Outcome::Done);
  ShowCursorReadout(g.s, g.ui, 50, 58);
  EXPECT_EQ(g.s.Ic1Samples.size(), 103u);
  EXPECT_EQ(g.box(form2::Label32), Format(g.s.Ic1max, "0.00"));
}

}  // namespace
}  // namespace classe
