// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "actions/form4_controls.h"
#include "actions/input_fields.h"
#include "actions/real_circuit_action.h"
#include "actions/real_circuit_plot.h"
#include "actions/value_boxes.h"
#include "engine/design/display_format.h"
#include "tests/support.h"

namespace classe {
namespace {

using namespace testing;

struct RealCircuit {
  RecordingControls ui;
  RealCircuitState state;
  Outcome outcome = Outcome::Done;

  explicit RealCircuit(std::initializer_list<std::pair<Control, const char*>> fields = {},
                       bool network = false, Designs which = Designs::Both)
      : ui(Fields(fields)) {
    ui.setChecked(form4::Check1, network);
    outcome = ShowRealCircuit(state, ui, which);
  }
  std::string box(const ValueBox& b) { return Caption(ui, b.control); }
};

TEST(RealCircuitAction, DefaultDesignsSideBySide) {
  RealCircuit c;
  EXPECT_EQ(c.outcome, Outcome::Done);
  EXPECT_TRUE(c.ui.messages().empty());
  // The ideal design misses in the real circuit; the exact one lands on Po
  // with the switch closing at zero voltage.
  EXPECT_EQ(c.box(boxes::RIdeal) + ' ' + c.box(boxes::PoIdeal) + ' ' + c.box(boxes::TurnOnIdeal) +
                ' ' + c.box(boxes::SwitchPeakIdeal),
            "9.044E+00 5.677E+01 2.33 5.141E+00");
  EXPECT_EQ(c.box(boxes::RExact) + ' ' + c.box(boxes::PoExact), "8.030E+00 5.000E+01");
  EXPECT_EQ(c.box(boxes::C1ToBuyExact), c.box(boxes::C1Exact));  // Coss 0
  EXPECT_EQ(c.box(boxes::Iterations), std::to_string(c.state.exact->iterations));
  // Without a network its rows stay empty.
  EXPECT_EQ(c.box(boxes::NetworkLExact), "");
  EXPECT_EQ(c.box(boxes::CurrentNetworkCIdeal), "");
  // The switch's rating is its settled peak, the drain's its voltage.
  EXPECT_EQ(c.box(boxes::CurrentSwitchExact), c.box(boxes::SwitchPeakExact));
  EXPECT_EQ(c.box(boxes::VoltageSwitchExact), c.box(boxes::VpeakExact));
}

TEST(RealCircuitAction, TheNetworkInTheLoopIsComputedForTheExactR) {
  RealCircuit c({}, true);
  EXPECT_EQ(c.box(boxes::RExact) + ' ' + c.box(boxes::PoIdeal) + ' ' + c.box(boxes::PoExact),
            "8.591E+00 5.479E+01 5.000E+01");
  // Below R the network's C moves to its input; it is still designed for R.
  RealCircuit below({{form1::Text7, "3"}}, true);
  EXPECT_EQ(below.state.exact->stage.load.kind, circuit::LoadKind::ShuntCAtInput);
  EXPECT_EQ(below.box(boxes::PoExact), "5.000E+01");
}

// Every box of both columns is the engine's figure in the box's unit: a
// wrong scale, or two boxes swapped, shows here.
TEST(RealCircuitAction, EveryRowIsTheEnginesFigureInItsUnit) {
  RealCircuit c({{form4::Text2, "100"}}, true);
  using R = const RealCircuitRun&;
  const std::tuple<const ValueBox&, const ValueBox&, double (*)(R)> rows[] = {
      {boxes::RIdeal, boxes::RExact, [](R r) { return r.stage.R; }},
      {boxes::L1Ideal, boxes::L1Exact, [](R r) { return r.stage.L1 * 1e6; }},
      {boxes::C1Ideal, boxes::C1Exact, [](R r) { return r.stage.C1 * 1e12; }},
      {boxes::C1ToBuyIdeal, boxes::C1ToBuyExact, [](R r) { return r.ratings.C1ToBuy * 1e12; }},
      {boxes::C2Ideal, boxes::C2Exact, [](R r) { return r.stage.C2 * 1e12; }},
      {boxes::L2Ideal, boxes::L2Exact, [](R r) { return r.stage.L2 * 1e6; }},
      {boxes::NetworkLIdeal, boxes::NetworkLExact, [](R r) { return r.stage.load.L * 1e6; }},
      {boxes::NetworkCIdeal, boxes::NetworkCExact, [](R r) { return r.stage.load.C * 1e12; }},
      {boxes::PoIdeal, boxes::PoExact, [](R r) { return r.steady.power.load; }},
      {boxes::EfficiencyIdeal, boxes::EfficiencyExact,
       [](R r) { return r.steady.efficiency * 100; }},
      {boxes::TurnOnIdeal, boxes::TurnOnExact, [](R r) { return r.steady.vonFraction * 100; }},
      {boxes::VpeakIdeal, boxes::VpeakExact, [](R r) { return r.steady.vPeak; }},
      {boxes::SwitchPeakIdeal, boxes::SwitchPeakExact, [](R r) { return r.ratings.sw.current; }},
      {boxes::SecondIdeal, boxes::SecondExact, [](R r) { return r.spectrum.second; }},
      {boxes::ThirdIdeal, boxes::ThirdExact, [](R r) { return r.spectrum.third; }},
  };
  // Each part's peak current and voltage, its boxes found by what a screen
  // reader says of them.
  using circuit::Ratings;
  const std::pair<std::string, circuit::ComponentRating Ratings::*> parts[] = {
      {"L1", &Ratings::L1},       {"C1", &Ratings::C1},           {"C2", &Ratings::C2},
      {"L2", &Ratings::L2},       {"L rete", &Ratings::networkL}, {"C rete", &Ratings::networkC},
      {"carico", &Ratings::load}, {"switch", &Ratings::sw}};
  auto described = [&](const std::string& symbol) {
    for (const ValueBox& box : ValueBoxes())
      if (box.control.window == Window::Form4 && box.symbol == symbol) return c.box(box);
    return std::string("<no box>");
  };
  for (const bool exact : {false, true}) {
    const RealCircuitRun& run = exact ? *c.state.exact : *c.state.ideal;
    for (const auto& [ideal, exactBox, value] : rows) {
      const ValueBox& box = exact ? exactBox : ideal;
      EXPECT_EQ(c.box(box), Format(value(run), box.pattern)) << box.control.name;
    }
    for (const auto& [name, part] : parts) {
      const circuit::ComponentRating& rating = run.ratings.*part;
      const std::string column = exact ? " esatto" : " ideale";
      EXPECT_EQ(described("I " + name + column), Format(rating.current, kScientific3)) << name;
      EXPECT_EQ(described("V " + name + column), Format(rating.voltage, kScientific3)) << name;
    }
  }
}

TEST(RealCircuitAction, CossIsPartOfC1) {
  // m = 0: a constant Coss, subtracted from the linear design's C1.
  RealCircuit c({{form4::Text2, "300"}, {form4::Text5, "0"}});
  EXPECT_EQ(c.box(boxes::C1Exact), "1.090E+03");
  EXPECT_EQ(c.box(boxes::C1ToBuyExact), "7.900E+02");
  // Graded as a junction (m 0.5 by default) the design changes with it.
  RealCircuit junction({{form4::Text2, "300"}});
  EXPECT_EQ(junction.box(boxes::C1Exact), "1.096E+03");
  EXPECT_EQ(junction.box(boxes::C1ToBuyExact), "7.964E+02");
  EXPECT_EQ(junction.box(boxes::PoExact), "5.000E+01");
  // More than the stage needs: no design, and it says why.
  RealCircuit big({{form4::Text2, "2000"}});
  EXPECT_EQ(big.outcome, Outcome::Fault);
  EXPECT_EQ(big.box(boxes::RExact), "");
  EXPECT_NE(Messages(big.ui).back().find("Coss"), std::string::npos);
}

TEST(RealCircuitAction, TransistorRatingAndLimits) {
  // The drain peak against the supply always, against V(BR)DSS when given,
  // with a warning above 80 % of it.
  RealCircuit plain;
  EXPECT_EQ(plain.box(boxes::PeakRatioExact), "3.63");
  EXPECT_EQ(plain.box(boxes::MarginExact), "");
  RealCircuit rated({{form4::Text2, "500"}, {form4::Text7, "200"}});
  EXPECT_EQ(rated.outcome, Outcome::Done);
  const double peak = rated.state.exact->steady.vPeak;
  EXPECT_EQ(rated.box(boxes::MarginExact), Format((200 - peak) / 200 * 100, kFixed2));
  EXPECT_TRUE(rated.ui.messages().empty()) << Messages(rated.ui).front();
  RealCircuit tight({{form4::Text2, "500"}, {form4::Text7, "120"}});
  ASSERT_FALSE(tight.ui.messages().empty());
  EXPECT_EQ(tight.ui.messages().back().text.rfind("Attenzione: nel progetto esatto il picco", 0),
            0u);
  EXPECT_FALSE(tight.ui.messages().back().fault);
  // Too much Coss for 5 MHz: no exact design, and where one exists.
  RealCircuit fast({{form1::Text2, "5"}, {form4::Text2, "1000"}});
  EXPECT_EQ(fast.box(boxes::RExact), "");
  ASSERT_TRUE(fast.state.limits.fmax);
  EXPECT_NEAR(*fast.state.limits.fmax, 4.70e6, 5e3);
  // A grading the junction law cannot take is refused naming it.
  RealCircuit steep({{form4::Text2, "500"}, {form4::Text5, "1.5"}});
  EXPECT_EQ(steep.outcome, Outcome::Fault);
  EXPECT_NE(Messages(steep.ui).back().find("m"), std::string::npos) << Messages(steep.ui).back();
}

TEST(RealCircuitAction, CossCurveReplacesTheJunction) {
  RealCircuitState state;
  EXPECT_NE(LoadCossCurve(state, "0,1000\n10,abc\n", "bad.csv")->find("Riga 2"), std::string::npos);
  EXPECT_FALSE(state.curve);
  EXPECT_FALSE(LoadCossCurve(state, "Vds,Coss\n0,2000\n10,800\n25,500\n100,250\n", "c.csv"));
  ASSERT_TRUE(state.curve);
  RecordingControls ui(Fields({}));
  EXPECT_EQ(ShowRealCircuit(state, ui), Outcome::Done) << Messages(ui).back();
  EXPECT_NEAR(state.exact->stage.Coss, 500e-12, 1e-15);
  EXPECT_EQ(Caption(ui, boxes::PoExact.control), "5.000E+01");
}

// The Coss(v) picture: the law from 0 V to the exact design's drain peak, the
// datasheet's figure marked at Vds; nothing without a transistor.
TEST(RealCircuitAction, TheCossPictureShowsTheLawInUse) {
  RealCircuit plain;
  EXPECT_TRUE(plain.ui.picture(form4::Picture2).polylines.empty());
  EXPECT_EQ(Caption(plain.ui, form4::Label158), "Coss(v): nessun transistor (Coss = 0)");
  RealCircuit graded({{form4::Text2, "300"}});
  ASSERT_EQ(graded.outcome, Outcome::Done);
  const auto& lines = graded.ui.picture(form4::Picture2).polylines;
  ASSERT_EQ(lines.size(), 5u);  // two axes, the curve, the mark's two strokes
  const auto& curve = lines[2].points;
  // 300 pF at 25 V graded with m 0.5 and Vj 0.7 V: 300·√(1 + 25/0.7) at 0 V.
  EXPECT_NEAR(curve.front().y, 300 * std::sqrt(1 + 25 / 0.7), 0.05);
  EXPECT_FLOAT_EQ(curve.front().x, 0);
  EXPECT_NEAR(curve.back().x, graded.state.exact->steady.vPeak, 1e-3);
  EXPECT_NEAR(curve.back().y, 300 * std::sqrt((1 + 25 / 0.7) / (1 + curve.back().x / 0.7)), 0.05);
  const auto& across = lines[3].points;
  EXPECT_FLOAT_EQ((across[0].x + across[1].x) / 2, 25);
  EXPECT_NEAR(across[0].y, 300, 1e-3);
  EXPECT_EQ(Caption(graded.ui, form4::Label158).rfind("Coss(v) [pF] da 0 a 108 V: da 1818 a ", 0),
            0u)
      << Caption(graded.ui, form4::Label158);
}

TEST(RealCircuitAction, LossyInductorsLowerTheEfficiency) {
  RealCircuit lossless;
  RealCircuit lossy({{form4::Text3, "100"}});
  EXPECT_EQ(lossy.box(boxes::PoExact), "5.000E+01");
  EXPECT_LT(lossy.state.exact->steady.efficiency, lossless.state.exact->steady.efficiency - 0.01);
}

TEST(RealCircuitAction, RejectedFieldsStopBeforeAnything) {
  for (const auto& [field, text, message] :
       std::vector<std::tuple<Control, const char*, std::string>>{
           {form1::Text1, "", std::string(fields::Po.msgMissing)},
           {form1::Text7, "5 0", std::string(fields::RL.msgInvalid)},
           {form4::Text1, "", std::string(fields::Ron.msgMissing)},
           {form4::Text2, "1,5", std::string(fields::Coss.msgInvalid)},
           {form4::Text3, "x", std::string(fields::QU.msgInvalid)}}) {
    RealCircuit c({{field, text}});
    EXPECT_EQ(c.outcome, Outcome::Rejected) << field.name;
    EXPECT_EQ(Messages(c.ui), std::vector<std::string>{message});
    EXPECT_TRUE(c.ui.captions().empty());
    EXPECT_FALSE(c.state.ideal || c.state.exact);
  }
}

TEST(RealCircuitAction, ADesignTheEngineCannotGiveLeavesItsColumnEmpty) {
  // Below Q ≈ 1.79 no exact design exists; the ideal one still runs.
  RealCircuit low({{form1::Text3, "1.7"}});
  EXPECT_EQ(low.outcome, Outcome::Fault);
  ASSERT_EQ(low.ui.messages().size(), 1u);
  EXPECT_TRUE(low.ui.messages()[0].fault);
  EXPECT_FALSE(low.state.exact);
  EXPECT_EQ(low.box(boxes::RExact), "");
  EXPECT_EQ(low.box(boxes::Iterations), "");
  EXPECT_NE(low.box(boxes::PoIdeal), "");
  // A negative Ron: neither design, two reasons.
  RealCircuit negative({{form4::Text1, "-1"}});
  EXPECT_EQ(negative.ui.messages().size(), 2u);
  EXPECT_EQ(negative.box(boxes::PoIdeal), "");
  EXPECT_EQ(negative.box(boxes::PoExact), "");
  // An arithmetic fault in the main window's design stops it like a button.
  RealCircuit zero({{form1::Text1, "0"}});
  EXPECT_EQ(Messages(zero.ui),
            std::vector<std::string>{"Errore di calcolo: divisione per zero nel calcolo di R."});
}

TEST(RealCircuitAction, OneColumnForTheCommandLine) {
  RealCircuit ideal({}, false, Designs::Ideal);
  EXPECT_TRUE(ideal.state.ideal && !ideal.state.exact);
  EXPECT_FALSE(ideal.ui.caption(boxes::PoExact.control));
  RealCircuit exact({}, false, Designs::Exact);
  EXPECT_TRUE(exact.state.exact && !exact.state.ideal);
  EXPECT_FALSE(exact.ui.caption(boxes::PoIdeal.control));
}

TEST(RealCircuitAction, TheCheckBoxStartsOnOutsideTheBand) {
  RecordingControls defaults = Fields();
  EXPECT_TRUE(NetworkWanted(defaults));  // RL 50, R 9.04
  RecordingControls near = Fields({{form1::Text7, "9"}});
  EXPECT_FALSE(NetworkWanted(near));
  RecordingControls broken = Fields({{form1::Text1, "0"}});
  EXPECT_FALSE(NetworkWanted(broken));
}

TEST(RealCircuitAction, NgspiceFiguresBesideTheProgramsOwn) {
  RealCircuit c({{form1::Text4, "1"}});
  const circuit::SteadyState& own = c.state.exact->steady;
  // ngspice 0.2 % above in power, 0.1 point below in efficiency, the drain
  // 1 % of its peak above Von = 1 V at turn-on.
  const circuit::NgspiceMeasures m{own.power.load * 1.002, own.power.dc, own.efficiency - 0.001,
                                   100, 2};
  ShowNgspiceFigures(c.state, c.ui, true, m);
  EXPECT_EQ(c.box(boxes::PoNgspice), "5.010E+01");
  EXPECT_EQ(c.box(boxes::PoDifference), "0.20");
  EXPECT_EQ(c.box(boxes::EfficiencyDifference), "-0.10");
  EXPECT_EQ(c.box(boxes::TurnOnNgspice), "1.00");
  EXPECT_EQ(c.box(boxes::TurnOnDifference), "1.00");
  // A new run empties them: they were of the designs before it.
  ShowRealCircuit(c.state, c.ui);
  EXPECT_EQ(c.box(boxes::PoNgspice), "");
}

TEST(RealCircuitAction, DeckOfEachDesign) {
  RealCircuit c;
  const auto exact = DeckOf(c.state, true);
  ASSERT_TRUE(exact);
  EXPECT_NE(exact->text.find("Rload out 0 8.03"), std::string::npos);
  c.ui.select(form4::Option2);
  const auto ideal = ChosenDeck(c.state, c.ui);
  ASSERT_TRUE(ideal);
  EXPECT_NE(ideal->text.find("Rload out 0 9.04"), std::string::npos);
  RealCircuit low({{form1::Text3, "1.7"}});
  EXPECT_FALSE(DeckOf(low.state, true));
}

TEST(RealCircuitPlot, EachStripScaledToItsLargestMagnitude) {
  // At 10 mW every current is below 1 A and the scales below 1.
  for (const char* power : {"50", "0.01"}) {
    RealCircuit c({{form1::Text1, power}});
    const auto& plot = c.ui.picture(form4::Picture1);
    EXPECT_EQ(plot.scale, kRealCircuitPlotScale);
    // Three period marks, four baselines, then each strip's ideal and exact curve.
    ASSERT_EQ(plot.polylines.size(), 7u + 8u);
    // Baselines and curves span the two periods exactly, edge to edge.
    for (std::size_t i = 3; i < plot.polylines.size(); ++i) {
      EXPECT_EQ(plot.polylines[i].points.front().x, 0.f) << i;
      EXPECT_EQ(plot.polylines[i].points.back().x, 100.f) << i;
    }
    for (std::size_t k = 0; k < 3; ++k) {  // the switching instants π, 2π and 3π
      EXPECT_EQ(plot.polylines[k].colour, (Rgb{200, 200, 200})) << k;
      for (const PlotPoint& p : plot.polylines[k].points)
        EXPECT_EQ(p.x, 25.f * static_cast<float>(k + 1)) << k;
    }
    for (std::size_t k = 0; k < 4; ++k) {
      EXPECT_EQ(plot.polylines[3 + k].colour, (Rgb{0, 0, 0}));  // the baselines
      const RealCircuitStrip& strip = RealCircuitStrips()[k];
      const auto& ideal = plot.polylines[7 + 2 * k];
      const auto& exact = plot.polylines[8 + 2 * k];
      EXPECT_EQ(ideal.colour, strip.ideal);
      EXPECT_EQ(exact.colour, strip.exact);
      float highest = -1e9f;
      float lowest = 1e9f;
      for (const auto* curve : {&ideal, &exact}) {
        EXPECT_EQ(curve->points.size(), 1001u);  // M = 1000 intervals
        for (const PlotPoint& p : curve->points) {
          highest = std::max(highest, p.y);
          lowest = std::min(lowest, p.y);
        }
      }
      // The largest magnitude touches baseline ± gain; every strip keeps two
      // units clear under the one above.
      const double reach = std::max(highest - strip.baseline, strip.baseline - lowest);
      EXPECT_NEAR(reach, strip.gain, 1e-4) << power << " " << k;
      EXPECT_GE(lowest, strip.bottom);
      EXPECT_LE(highest, strip.bottom + 23);
    }
  }
  RealCircuit c;
  EXPECT_EQ(Caption(c.ui, form4::Label129).rfind("Vc1(teta) [V], fondo scala 1.139E+02", 0), 0u);
}

TEST(RealCircuitPlot, CurvesFollowMAndRefuseWhatWouldNotFit) {
  // As in the graph window: M intervals over the two periods, M + 1 samples.
  for (const char* M : {"1", "37", "4000"}) {
    RealCircuit c({{form1::Text9, M}});
    EXPECT_EQ(c.outcome, Outcome::Done) << M;
    EXPECT_EQ(c.state.exact->curves.vD.size(), std::size_t(std::stoi(M) + 1)) << M;
    EXPECT_EQ(c.ui.picture(form4::Picture1).polylines.back().points.size(),
              std::size_t(std::stoi(M) + 1));
  }
  // A count refused is refused before anything changes: the columns and the
  // curves of the run before stay.
  RealCircuit c;
  const std::string R = c.box(boxes::RExact);
  const auto held = c.ui.picture(form4::Picture1).polylines.size();
  const std::vector<std::pair<const char*, const char*>> refused{
      {"-5", "Il numero di campioni M non può essere negativo"},
      {"2000000000", "Il numero di campioni M è troppo grande: i campioni richiederebbero "},
      {"0", "Numero di intervalli M = 0 non valido: deve essere tra 1 e 10000000."},
      {"abc", "M"}};
  for (const auto& [M, message] : refused) {
    c.ui.setText(form1::Text9, M);
    c.ui.clearMessages();
    EXPECT_NE(ShowRealCircuit(c.state, c.ui), Outcome::Done) << M;
    ASSERT_EQ(c.ui.messages().size(), 1u) << M;
    EXPECT_NE(c.ui.messages()[0].text.find(message), std::string::npos)
        << M << ": " << c.ui.messages()[0].text;
    EXPECT_EQ(c.box(boxes::RExact), R) << M;
    EXPECT_EQ(c.ui.picture(form4::Picture1).polylines.size(), held) << M;
    EXPECT_EQ(c.state.exact->curves.vD.size(), 1001u) << M;
  }
}

TEST(RealCircuitPlot, ReadOutGivesBothDesignsAtTheCursor) {
  RealCircuit c;
  // x = 25 is teta = π, the last sample before the switch closes.
  ShowRealCircuitReadout(c.state, c.ui, 25, 90);
  const auto& vD = c.state.exact->curves.vD;
  EXPECT_EQ(c.box(boxes::CursorTeta), "3.14");
  EXPECT_EQ(c.box(boxes::CursorExact), Format(vD[vD.size() / 4], kFixed2));
  EXPECT_EQ(c.box(boxes::CursorIdeal), Format(c.state.ideal->curves.vD[vD.size() / 4], kFixed2));
  EXPECT_EQ(Caption(c.ui, form4::Label140), "[V]");
  EXPECT_EQ(*c.ui.toolTip(form4::Picture1),
            "teta= 3.14rad ; Vc1(teta) esatto = " + c.box(boxes::CursorExact) +
                "V ; ideale = " + c.box(boxes::CursorIdeal) + "V");
  // Each strip owns its lower edge, the bottom one down to y = 0.
  const std::pair<float, std::string> edges[] = {{100, "Vc1"}, {75, "Vc1"}, {74.9f, "Isw"},
                                                 {50, "Isw"},  {25, "Ic1"}, {24.9f, "Ir"},
                                                 {0, "Ir"}};
  for (const auto& [y, name] : edges) {
    ShowRealCircuitReadout(c.state, c.ui, 50, y);
    EXPECT_NE(c.ui.toolTip(form4::Picture1)->find("rad ; " + name + "(teta)"), std::string::npos)
        << y;
  }
  // The bottom strip is the branch current; beyond the plot the last sample.
  ShowRealCircuitReadout(c.state, c.ui, 104, -5);
  EXPECT_EQ(Caption(c.ui, form4::Label140), "[A]");
  EXPECT_EQ(c.box(boxes::CursorExact), Format(c.state.exact->curves.iBranch.back(), kFixed2));
  // A design without numbers reads nothing.
  RealCircuit low({{form1::Text3, "1.7"}});
  ShowRealCircuitReadout(low.state, low.ui, 50, 50);
  EXPECT_EQ(low.box(boxes::CursorExact), "");
  EXPECT_NE(low.box(boxes::CursorIdeal), "");
}

}  // namespace
}  // namespace classe
