// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cmath>

#include "engine/circuit/exact_design.h"
#include "engine/parts/purchase.h"
#include "engine/parts/retune.h"
#include "engine/parts/sensitivity.h"
#include "tests/engine/circuit/support.h"

namespace classe::parts {
namespace {

using circuit::Stage;
using circuit::SteadyState;
using circuit::testing::Ideal;
using circuit::testing::Options;

Stage Design(const std::string& Q, std::optional<double> RL = std::nullopt, double Ron = 1e-3) {
  return circuit::DesignExact(Ideal(Q), Options(RL, Ron)).value().stage;
}

SteadyState Steady(const Stage& s) {
  return circuit::SolveSteadyState(s).value();
}

void ExpectSoftSwitching(const SteadyState& s, double Vcc) {
  EXPECT_LT(std::abs(s.vonFraction), 1e-6);
  EXPECT_LT(std::abs(s.slopeTurnOn), 1e-6 * Vcc);
}

// The capacitors of the exact design snapped to E24, no tuning: what a
// builder gets (checked in ngspice when these figures were taken).
TEST(BoughtStage, SnappedCapacitorsMissThePower) {
  struct Case {
    const char* Q;
    double C1pF, C2pF, power;
  };
  for (const Case c : {Case{"4", 1100, 1800, 1.048}, Case{"10", 910, 510, 1.051},
                       Case{"20", 910, 240, 0.62}, Case{"50", 820, 91, 0.39}}) {
    const Stage design = Design(c.Q);
    const Stage bought = BoughtStage(design, PartChoice{});
    EXPECT_NEAR(bought.C1 * 1e12, c.C1pF, 1e-6) << c.Q;
    EXPECT_NEAR(bought.C2 * 1e12, c.C2pF, 1e-6) << c.Q;
    EXPECT_EQ(bought.L1, design.L1);  // continuous inductors stay as designed
    EXPECT_NEAR(Steady(bought).power.load / 50, c.power, 0.012) << c.Q;
  }
}

TEST(Retune, RestoresSoftSwitchingAndGivesTheTrim) {
  for (const char* Q : {"4", "10", "50"}) {
    for (Series series : {Series::E24, Series::E12}) {
      const Stage design = Design(Q);
      const Stage bought = BoughtStage(design, PartChoice{.capacitors = series});
      const Retune r = RetuneStage(bought, 50, &design).value();
      ExpectSoftSwitching(Steady(r.stage), r.stage.Vcc);
      // The capacitors are those bought; only the knobs moved.
      EXPECT_EQ(r.stage.C1, bought.C1);
      EXPECT_EQ(r.stage.C2, bought.C2);
      EXPECT_EQ(r.stage.load.RL, r.stage.R);
      // The design's root: the knobs stay near the design, however high Q.
      EXPECT_LT(std::abs(std::log(r.stage.L2 / design.L2)), 0.15) << Q;
      EXPECT_LT(std::abs(std::log(r.stage.R / design.R)), 0.25) << Q;
      // At the trimmed supply the same knobs give Po and still switch softly.
      Stage trimmed = r.stage;
      trimmed.Vcc = r.VccTrim;
      const SteadyState t = Steady(trimmed);
      EXPECT_NEAR(t.power.load, 50, 50 * 1e-6) << Q;
      ExpectSoftSwitching(t, trimmed.Vcc);
    }
  }
}

TEST(Retune, TrimWithAnOnVoltageSolvesTheKnobsAgain) {
  const Stage design = circuit::DesignExact(Ideal("10", "20", "1"), Options()).value().stage;
  const Stage bought = BoughtStage(design, PartChoice{.capacitors = Series::E12});
  const Retune r = RetuneStage(bought, 50, &design).value();
  EXPECT_GT(std::abs(r.VccTrim / r.stage.Vcc - 1), 1e-3);
  ASSERT_EQ(r.knobs.size(), 2u);
  // The trim's claim, checked: some L2 and R at VccTrim give Po with soft
  // switching; the retune at that supply finds them.
  Stage at = bought;
  at.Vcc = r.VccTrim;
  const Retune again = RetuneStage(at, 50, &design).value();
  EXPECT_NEAR(again.steady.power.load, 50, 50 * 5e-4);
}

TEST(Retune, KnobsFollowTheNetwork) {
  // RL below R: L2 and the network's L; above: L2 and its C.
  for (double RL : {3.0, 30.0}) {
    const Stage design = Design("10", RL);
    const Stage bought = BoughtStage(design, PartChoice{});
    const Retune r = RetuneStage(bought, 50, &design).value();
    const Knob second = RL < design.R ? Knob::NetworkL : Knob::NetworkC;
    EXPECT_EQ(r.knobs, (std::vector<Knob>{Knob::L2, second})) << RL;
    ExpectSoftSwitching(Steady(r.stage), r.stage.Vcc);
    EXPECT_EQ(r.stage.load.RL, RL);
    if (second == Knob::NetworkL) {
      EXPECT_EQ(r.stage.load.C, bought.load.C);
    }
  }
  // With its C left free as well, three knobs give Po itself.
  const Stage design = Design("10", 3.0);
  const Retune free =
      RetuneStage(BoughtStage(design, PartChoice{}), 50, &design, /*networkCFree=*/true).value();
  EXPECT_EQ(free.knobs.size(), 3u);
  EXPECT_NEAR(free.steady.power.load, 50, 50 * 1e-9);
  EXPECT_DOUBLE_EQ(free.VccTrim, free.stage.Vcc);
}

// At Q 50 with the network below R, Newton from the E12 parts straight away
// cannot reach the switching; the walk from the design does, on its root.
TEST(Retune, WalksFromTheDesignWhereNewtonAloneIsLost) {
  const Stage design = Design("50", 3.0);
  const Stage bought = BoughtStage(design, PartChoice{.capacitors = Series::E12});
  EXPECT_FALSE(RetuneStage(bought, 50));
  const Retune r = RetuneStage(bought, 50, &design).value();
  ExpectSoftSwitching(Steady(r.stage), r.stage.Vcc);
  EXPECT_LT(std::abs(std::log(r.stage.L2 / design.L2)), 0.15);
}

TEST(Retune, SaysWhichConditionCannotBeMet) {
  // C1 ten thousand times too large: the drain cannot swing back to zero.
  const Stage design = Design("4");
  Stage bought = design;
  bought.C1 *= 1e4;
  const auto r = RetuneStage(bought, 50);
  ASSERT_FALSE(r);
  EXPECT_EQ(r.failure().kind, circuit::FailureKind::RetuneImpossible);
  EXPECT_NE(r.failure().message.find("Ritaratura impossibile"), std::string::npos);
  EXPECT_NE(r.failure().message.find("L2 e R"), std::string::npos);
  EXPECT_EQ(r.failure().message.find("nan"), std::string::npos);
}

TEST(Sensitivity, MatchesTheMeasuredFiguresAndIndependentDifferences) {
  const auto q4 = Sensitivities(Design("4")).value();
  const auto of = [](const std::vector<Sensitivity>& list, const std::string& ref) {
    for (const Sensitivity& s : list)
      if (s.ref == ref) return s;
    ADD_FAILURE() << ref;
    return Sensitivity{};
  };
  EXPECT_NEAR(of(q4, "C2").dlnPo, -2.6, 0.06);
  EXPECT_NEAR(of(q4, "L2").dlnPo, -3.9, 0.06);
  EXPECT_NEAR(of(q4, "C1").dlnPo, -0.6, 0.06);
  EXPECT_NEAR(of(q4, "R").dlnPo, -0.3, 0.06);
  EXPECT_NEAR(of(q4, "L1").dlnPo, -0.02, 0.01);
  const auto q50 = Sensitivities(Design("50")).value();
  EXPECT_NEAR(of(q50, "C2").dlnPo, -44, 1);
  EXPECT_NEAR(of(q50, "L2").dlnPo, -45, 1);
  // The inductor to make adjustable is L2, the one Po follows most.
  EXPECT_EQ(q4[AdjustablePart(q4)].ref, "L2");

  // A coarser difference agrees to its own truncation; the ±1 % entries are
  // the stage's figures at 1.01 and 0.99.
  Stage design = Design("10");
  const auto q10 = Sensitivities(design).value();
  const double Po = Steady(design).power.load;
  const Sensitivity c2 = of(q10, "C2");
  Stage up = design, down = design;
  up.C2 *= std::exp(1e-3);
  down.C2 *= std::exp(-1e-3);
  const SteadyState su = Steady(up), sd = Steady(down);
  EXPECT_NEAR(c2.dlnPo, std::log(su.power.load / sd.power.load) / 2e-3, 0.02 * std::abs(c2.dlnPo));
  EXPECT_NEAR(c2.dvon, (su.vonFraction - sd.vonFraction) / 2e-3, 0.02 * std::abs(c2.dvon));
  Stage plus = design;
  plus.C2 *= 1.01;
  EXPECT_NEAR(c2.poUp, Steady(plus).power.load / Po - 1, 1e-12);
}

}  // namespace
}  // namespace classe::parts
