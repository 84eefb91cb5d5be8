#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "design/display_format.h"
#include "design/fault.h"
#include "actions/peak_action.h"
#include "actions/cursor_readout.h"
#include "actions/graph_action.h"
#include "tests/support.h"

namespace classe {
namespace {

using testing::Caption;
using testing::Fields;
using testing::Messages;

constexpr Window kGraphs = Window::Form2;

const std::string kVonWarning =
    "Se Von > 0 il grafico viene rappresentato ugualmente ma non risultano più valide le ipotesi "
    "fatte per l'amplificatore ideale in Classe E";

struct Graphs {
  RecordingControls ui;
  DesignState s;
  Outcome outcome;

  explicit Graphs(std::initializer_list<std::pair<const char*, const char*>> fields = {})
      : ui(Fields(fields)), outcome(ShowGraphs(s, ui)) {}
  const RecordingControls::Picture& plot() { return ui.picture(kGraphs, "Picture1"); }
  std::string box(const char* label) { return ui.caption(kGraphs, label).value_or(""); }
};

TEST(GraphAction, DrawsTheSameGridForEveryDesign) {
  for (const char* vcc : {"28", "5"}) {
    Graphs g({{"Text5", vcc}});
    const auto& lines = g.plot().lines;
    ASSERT_EQ(lines.size(), 34u);  // 20 edge ticks, 10 angle ticks, 4 baselines
    for (int k = 0; k < 20; ++k) {
      const float y = 100.f - 5.f * static_cast<float>(k);
      EXPECT_EQ(lines[k].first, (PlotPoint{0, y}));
      EXPECT_EQ(lines[k].second, (PlotPoint{0.2f, y}));
    }
    for (int k = 0; k < 10; ++k) {
      const float base = k < 5 ? 80.f : 60.f;
      const float x = 25.f * static_cast<float>(k % 5);
      EXPECT_EQ(lines[20 + k].first, (PlotPoint{x, base}));
      EXPECT_EQ(lines[20 + k].second, (PlotPoint{x, base + 0.5f}));
    }
    for (int k = 0; k < 4; ++k) {
      const float y = 80.f - 20.f * static_cast<float>(k);
      EXPECT_EQ(lines[30 + k].first, (PlotPoint{0, y}));
      EXPECT_EQ(lines[30 + k].second, (PlotPoint{100, y}));
    }
    EXPECT_EQ(g.plot().scale, (PlotScale{0, 100, 105, 0}));
  }
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
  Graphs g({{"Text9", "8"}});
  for (const auto& curve : g.plot().polylines) {
    ASSERT_EQ(curve.points.size(), 9u);
    for (int j = 0; j <= 8; ++j)
      EXPECT_EQ(curve.points[j].x, 12.5f * static_cast<float>(j));
  }
}

TEST(GraphAction, OneSampleDrawsTheGridAndStops) {
  // Both Vc1 samples are 0, so its first height is 0/0.
  Graphs g({{"Text9", "1"}});
  EXPECT_EQ(g.outcome, Outcome::Fault);
  EXPECT_EQ(Messages(g.ui), std::vector<std::string>{FaultMessage(FaultKind::InvalidOperation,
                                                                  "y della curva Vc1(teta)")});
  EXPECT_EQ(g.plot().lines.size(), 34u);
  EXPECT_TRUE(g.plot().polylines.empty());
  EXPECT_FALSE(g.ui.caption(kGraphs, "Label1"));  // the captions are not placed
}

TEST(GraphAction, ZeroSupplyWithOnVoltageDrawsOnlyTheVoltage) {
  Graphs g({{"Text5", "0"}, {"Text4", "0.3"}});
  EXPECT_EQ(g.outcome, Outcome::Fault);
  ASSERT_EQ(g.ui.messages().size(), 2u);
  EXPECT_EQ(g.ui.messages()[0].text, kVonWarning);
  EXPECT_TRUE(g.ui.messages()[1].fault);
  ASSERT_EQ(g.plot().polylines.size(), 1u);
  EXPECT_EQ(g.plot().polylines[0].colour, (Rgb{255, 0, 0}));
}

TEST(GraphAction, WarnsOnlyForAPositiveOnVoltage) {
  EXPECT_EQ(Messages(Graphs({{"Text4", "0.3"}}).ui), std::vector<std::string>{kVonWarning});
  EXPECT_TRUE(Graphs({{"Text4", "0"}}).ui.messages().empty());
  EXPECT_TRUE(Graphs({{"Text4", "-1"}}).ui.messages().empty());
}

TEST(GraphAction, RedrawsTheOneWindowAndHidesTheMatchingPictures) {
  Graphs g;
  ShowGraphs(g.s, g.ui);
  EXPECT_EQ(g.ui.timesShown(kGraphs), 2);
  EXPECT_EQ(g.plot().clears, 2);
  EXPECT_EQ(g.plot().polylines.size(), 4u);
  EXPECT_FALSE(*g.ui.visible(Window::Form1, "Image2"));
  EXPECT_FALSE(*g.ui.visible(Window::Form1, "Image3"));
}

TEST(GraphAction, RejectedFieldDoesNotTouchTheWindow) {
  Graphs g({{"Text7", "x"}});
  EXPECT_EQ(g.outcome, Outcome::Rejected);
  EXPECT_FALSE(g.ui.loaded(kGraphs));
}

TEST(GraphAction, PlacesTheSixteenCaptions) {
  Graphs g;
  EXPECT_EQ(g.ui.picture(kGraphs, "Picture3").scale, (PlotScale{0, 100, 100, 0}));
  EXPECT_EQ(g.box("Label1"), "Vc1(teta)[V]");
  EXPECT_EQ(g.box("Label2"), "0");
  EXPECT_EQ(g.box("Label8"), "12.56");
  EXPECT_EQ(g.box("Label13"), "Ir(teta)[A]");
  EXPECT_EQ(*g.ui.position(kGraphs, "Label13"), (std::pair<double, double>{15, 38.5}));
  EXPECT_EQ(*g.ui.position(kGraphs, "Label8"), (std::pair<double, double>{98, 38}));
  EXPECT_EQ(*g.ui.position(kGraphs, "Label15"), (std::pair<double, double>{95, 24}));
}

TEST(CursorReadout, AngleFollowsXBeyondThePlottedRange) {
  Graphs g;
  const std::pair<float, const char*> cases[] = {
      {0, "0.00"}, {25, "3.14"}, {100, "12.57"}, {105, "13.19"}};
  for (const auto& [x, text] : cases) {
    ShowCursorReadout(g.s, g.ui, x, 90);
    EXPECT_EQ(g.box("Label16"), text);
  }
}

TEST(CursorReadout, HeightSelectsTheStripAndReadsItsScale) {
  Graphs g;
  struct Case {
    float y;
    const char* option;
    const char* valueBox;
    std::string value;
  };
  const Case cases[] = {
      {80, "Option1", "Label17", "0.00"},
      {60, "Option2", "Label24", "0.00"},
      {40, "Option3", "Label32", "0.00"},
      {20, "Option4", "Label36", "0.00"},
      {98, "Option1", "Label17", Format(g.s.Vc1max, "0.00")},
      {29, "Option4", "Label36", Format(g.s.Irmax, "0.00")},
      {79.5f, "Option1", "Label17", Format(-0.5 * g.s.Vc1max / 18, "0.00")},
      {59.7f, "Option2", "Label24", Format((59.7f - 60.0) * g.s.Iswmax / 18, "0.00")},
  };
  const char* boxes[] = {"Label16", "Label17", "Label23", "Label24",
                         "Label29", "Label32", "Label35", "Label36"};
  for (const Case& c : cases) {
    ShowCursorReadout(g.s, g.ui, 50, c.y);
    EXPECT_TRUE(g.ui.isSelected(kGraphs, c.option)) << c.y;
    EXPECT_EQ(g.box(c.valueBox), c.value) << c.y;
    int filled = 0;
    for (const char* b : boxes)
      filled += !g.box(b).empty();
    EXPECT_EQ(filled, 2) << c.y;  // exactly one curve's boxes
  }
  EXPECT_EQ(g.box("Label17"), "");
}

TEST(CursorReadout, TooltipAndColourOfTheValue) {
  Graphs g;
  ShowCursorReadout(g.s, g.ui, 25, 98);
  EXPECT_EQ(*g.ui.toolTip(kGraphs, "Picture1"),
            "teta= 3.14rad ; Vc1(teta) = " + Format(g.s.Vc1max, "0.00") + "V");
  EXPECT_EQ(*g.ui.textColour(kGraphs, "Label17"), (Rgb{255, 0, 0}));
  ShowCursorReadout(g.s, g.ui, 0, 10);
  EXPECT_EQ(*g.ui.toolTip(kGraphs, "Picture1"),
            "teta= 0.00rad ; Ir(teta) = " + Format(-10 * g.s.Irmax / 9, "0.00") + "A");
  EXPECT_EQ(*g.ui.textColour(kGraphs, "Label36"), (Rgb{255, 0, 255}));
}

TEST(CursorReadout, BelowThePlotKeepsTheSelection) {
  Graphs g;
  g.ui.select(kGraphs, "Option3");
  ShowCursorReadout(g.s, g.ui, 10, -1);
  EXPECT_TRUE(g.ui.isSelected(kGraphs, "Option3"));
  EXPECT_FALSE(g.box("Label32").empty());
}

TEST(CursorReadout, AShorterCapacitorArrayIsNeverReadPastItsEnd) {
  Graphs g({{"Text9", "100"}});
  g.ui.setText("Text9", "5000");
  ASSERT_EQ(ShowPeakValues(g.s, g.ui), Outcome::Done);
  ShowCursorReadout(g.s, g.ui, 50, 58);
  EXPECT_EQ(g.s.Ic1Samples.size(), 103u);
  EXPECT_EQ(g.box("Label32"), Format(g.s.Ic1max, "0.00"));
}

TEST(GraphWindow, IsFreshAfterItsExit) {
  Graphs g;
  ShowCursorReadout(g.s, g.ui, 50, 50);
  g.ui.unload(kGraphs);
  ShowGraphs(g.s, g.ui);
  EXPECT_TRUE(g.ui.isSelected(kGraphs, "Option1"));
  EXPECT_EQ(g.box("Label32"), "");
  EXPECT_FALSE(g.ui.toolTip(kGraphs, "Picture1"));
}

}  // namespace
}  // namespace classe
