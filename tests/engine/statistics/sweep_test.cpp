// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/statistics/sweep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/circuit/ratings.h"
#include "engine/circuit/steady_state.h"
#include "tests/engine/statistics/support.h"

namespace classe::statistics {
namespace {

using testing::ExactStage;

TEST(Sweep, LoadPointsAreTheSteadyStatesOfThatLoad) {
  for (const char* Q : {"4", "10"}) {
    SCOPED_TRACE(Q);
    const circuit::Stage stage = ExactStage(Q);
    const auto run = RunSweep(stage, {SweepVariable::LoadFactor, 0.5, 2, 7, 2}).value();
    ASSERT_EQ(run.points.size(), 7u);
    EXPECT_EQ(run.designX, 1);
    EXPECT_FALSE(run.partial);
    for (int k = 0; k < 7; ++k) {
      const SweepPoint& p = run.points[static_cast<std::size_t>(k)];
      EXPECT_DOUBLE_EQ(p.x, 0.5 + 0.25 * k);
      circuit::Stage s = stage;
      s.R = s.load.RL = stage.R * (0.5 + 0.25 * k);
      const auto steady = circuit::SolveSteadyState(s).value();
      ASSERT_TRUE(p.figures);
      EXPECT_NEAR(p.figures->Po / steady.power.load, 1, 1e-3);
      EXPECT_NEAR(p.figures->efficiency / steady.efficiency, 1, 1e-3);
      EXPECT_NEAR(p.figures->vPeak / steady.vPeak, 1, 1e-3);
      EXPECT_NEAR(p.figures->vonFraction, steady.vonFraction, 1e-3);
      EXPECT_DOUBLE_EQ(p.figures->iSwitchPeak, circuit::ComputeRatings(s)->sw.current);
    }
    // The design point is the design.
    EXPECT_NEAR(run.points[2].figures->Po, 50, 0.05);
  }
}

TEST(Sweep, ReactanceFoldsIntoTheBranch) {
  const circuit::Stage stage = ExactStage("4");
  const auto run = RunSweep(stage, {SweepVariable::Reactance, -0.5, 0.5, 3, 1}).value();
  EXPECT_EQ(run.designX, 0);
  // +0.5·R: more inductance; −0.5·R: a capacitor of reactance 0.5·R in series with C2.
  circuit::Stage up = stage;
  up.L2 += 0.5 * stage.R / stage.omega;
  EXPECT_DOUBLE_EQ(run.points[2].figures->Po, circuit::SolveSteadyState(up)->power.load);
  circuit::Stage down = stage;
  const double XC2 = 1 / (stage.omega * stage.C2);
  down.C2 = 1 / (stage.omega * (XC2 + 0.5 * stage.R));
  EXPECT_NEAR(run.points[0].figures->Po / circuit::SolveSteadyState(down)->power.load, 1, 1e-12);
  EXPECT_DOUBLE_EQ(run.points[1].figures->Po, circuit::SolveSteadyState(stage)->power.load);
}

TEST(Sweep, SupplyAndFrequency) {
  const circuit::Stage stage = ExactStage("4");
  // Po goes as Vcc² in a linear stage.
  const auto vcc = RunSweep(stage, {SweepVariable::Vcc, 14, 28, 2, 1}).value();
  EXPECT_NEAR(vcc.points[0].figures->Po * 4, vcc.points[1].figures->Po, 1e-9);
  EXPECT_EQ(vcc.designX, 28);
  const auto f = RunSweep(stage, {SweepVariable::Frequency, 3.6e6, 4.4e6, 3, 1}).value();
  EXPECT_NEAR(f.designX, 4e6, 1e-6);
  circuit::Stage high = stage;
  high.omega = 2 * std::numbers::pi * 4.4e6;
  EXPECT_DOUBLE_EQ(f.points[2].figures->Po, circuit::SolveSteadyState(high)->power.load);
  EXPECT_NEAR(f.points[1].figures->Po, 50, 0.05);
}

TEST(Sweep, RefusesRangesItCannotRun) {
  const circuit::Stage stage = ExactStage("4");
  const auto refused = [&](SweepSettings s, const circuit::Stage& on) {
    return !RunSweep(on, s).ok() && CheckSweep(on, s).has_value();
  };
  EXPECT_TRUE(refused({SweepVariable::LoadFactor, -0.5, 2, 5, 1}, stage));
  EXPECT_TRUE(refused({SweepVariable::LoadFactor, 0.5, 0, 5, 1}, stage));
  EXPECT_TRUE(refused({SweepVariable::Vcc, -1, 28, 5, 1}, stage));
  EXPECT_TRUE(refused({SweepVariable::Frequency, 0, 4e6, 5, 1}, stage));
  EXPECT_TRUE(refused({SweepVariable::LoadFactor, 0.5, 2, 1, 1}, stage));
  EXPECT_TRUE(refused({SweepVariable::LoadFactor, 0.5, INFINITY, 5, 1}, stage));
  EXPECT_FALSE(refused({SweepVariable::Reactance, -0.5, 0.5, 5, 1}, stage));
  // A reactance has no place with the network in the loop.
  EXPECT_TRUE(refused({SweepVariable::Reactance, -0.5, 0.5, 5, 1}, ExactStage("4", 0.1, 50.0)));
  // Descending ranges run from `from` to `to`.
  const auto down = RunSweep(stage, {SweepVariable::LoadFactor, 2, 0.5, 4, 1}).value();
  EXPECT_EQ(down.points.front().x, 2);
  EXPECT_EQ(down.points.back().x, 0.5);
}

}  // namespace
}  // namespace classe::statistics
