// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "circuit/steady_state.h"
#include "tests/circuit/support.h"

namespace classe::circuit {
namespace {

using testing::Ideal;
using testing::IdealStage;
using testing::Options;

double Losses(const PowerBudget& p) {
  return p.ron + p.von + p.discharge + p.l1 + p.l2 + p.networkL;
}

// Every watt from Vcc must be accounted for; the integrals of each loss are
// separate, so a wrong term, sign or scale breaks the sum.
TEST(EnergyBalance, EveryLoadAndLossAddsUp) {
  struct Row {
    const char* what;
    IdealDesign design;
    StageOptions options;
  };
  const Row rows[] = {
      {"plain R", Ideal(), Options()},
      {"network to 50 ohm", Ideal(), Options(50.0)},
      {"network to 5 ohm", Ideal("2.5"), Options(5.0)},
      {"lossy inductors and Von", Ideal("10", "20", "1"), Options(50.0, 0.05, 120.0)},
      {"ideal switch", Ideal("4", "20", "0.5"), Options(3.0, 0, 200.0)},
      {"large choke", Ideal("50", "100"), Options()},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const SteadyState s = SolveSteadyState(IdealStage(row.design, row.options)).value();
    EXPECT_NEAR(s.power.dc, s.power.load + Losses(s.power), 1e-9 * s.power.dc);
    EXPECT_GT(s.power.load, 0.5 * s.power.dc);
  }
}

// The state equations written out again from the schematic, in seconds, and
// integrated by classical Runge–Kutta from the engine's start: after one
// period the state must come back, and the load power match. Nothing of the
// engine's matrices or exponentials is used.
struct Schematic {
  const Stage& s;
  using State = std::array<double, 6>;  // iL1, vD, vC2, iL2, vCn, iLn

  State Rate(const State& x, bool closed) const {
    const double isw = closed ? (x[1] - s.Von) / s.Ron : 0;
    const double rn = s.Esr(s.load.L);
    double series = s.L2, seriesR = s.Esr(s.L2), vOut = 0;
    State d{};
    switch (s.load.kind) {
      case LoadKind::Resistor:
        vOut = s.load.RL * x[3];
        break;
      case LoadKind::ShuntCAtLoad:
        series += s.load.L;
        seriesR += rn;
        vOut = x[4];
        d[4] = (x[3] - x[4] / s.load.RL) / s.load.C;
        break;
      case LoadKind::ShuntCAtInput:
        vOut = x[4];
        d[4] = (x[3] - x[5]) / s.load.C;
        d[5] = (x[4] - (rn + s.load.RL) * x[5]) / s.load.L;
        break;
    }
    d[0] = (s.Vcc - x[1]) / s.L1;
    d[1] = (x[0] - x[3] - isw) / s.C1;
    d[2] = x[3] / s.C2;
    d[3] = (x[1] - x[2] - seriesR * x[3] - vOut) / series;
    return d;
  }

  double LoadPower(const State& x) const {
    switch (s.load.kind) {
      case LoadKind::Resistor:
        return s.load.RL * x[3] * x[3];
      case LoadKind::ShuntCAtLoad:
        return x[4] * x[4] / s.load.RL;
      case LoadKind::ShuntCAtInput:
        break;
    }
    return s.load.RL * x[5] * x[5];
  }

  // Integrates over [0, duration) with `steps` steps; returns ∫ p_load dt.
  double Run(State& x, bool closed, double duration, int steps) const {
    const double h = duration / steps;
    double energy = 0;
    const auto add = [](const State& a, const State& b, double k) {
      State r;
      for (std::size_t i = 0; i < r.size(); ++i)
        r[i] = a[i] + k * b[i];
      return r;
    };
    for (int i = 0; i < steps; ++i) {
      const State k1 = Rate(x, closed);
      const State x2 = add(x, k1, h / 2);
      const State k2 = Rate(x2, closed);
      const State x3 = add(x, k2, h / 2);
      const State k3 = Rate(x3, closed);
      const State x4 = add(x, k3, h);
      const State k4 = Rate(x4, closed);
      // Simpson on the same stages.
      energy += h / 6 * (LoadPower(x) + 2 * LoadPower(x2) + 2 * LoadPower(x3) + LoadPower(x4));
      for (std::size_t j = 0; j < x.size(); ++j)
        x[j] += h / 6 * (k1[j] + 2 * k2[j] + 2 * k3[j] + k4[j]);
    }
    return energy;
  }
};

TEST(Periodicity, IndependentIntegrationReturnsToTheStart) {
  struct Row {
    const char* what;
    Stage stage;
  };
  const Row rows[] = {
      {"plain R, Ron 1 mohm", IdealStage(Ideal())},
      {"network to 50 ohm, lossy", IdealStage(Ideal("4", "20", "1"), Options(50.0, 0.02, 150.0))},
      {"network to 5 ohm", IdealStage(Ideal("3"), Options(5.0, 0.01))},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const Stage& stage = row.stage;
    const SteadyState s = SolveSteadyState(stage).value();
    const double T = 2 * M_PI / stage.omega;
    // Closed-half steps a quarter of Ron·C1: the discharge is resolved.
    const int closedSteps = static_cast<int>(T / 2 / (0.25 * stage.Ron * stage.C1)) + 1;
    Schematic circuit{stage};
    Schematic::State x = s.start;
    double energy = circuit.Run(x, false, T / 2, 20000);
    EXPECT_NEAR(x[1], s.vTurnOn, 1e-7 * s.vPeak);
    energy += circuit.Run(x, true, T / 2, closedSteps);
    for (std::size_t i = 0; i < x.size(); ++i)
      EXPECT_NEAR(x[i], s.start[i], 1e-7 * (std::fabs(s.start[i]) + 1)) << "state " << i;
    EXPECT_NEAR(energy / T, s.power.load, 1e-7 * s.power.load);
  }
}

// The ideal design run on the real stage (ngspice measured these figures).
TEST(IdealDesignSimulated, DefaultFigures) {
  const SteadyState s = SolveSteadyState(IdealStage(Ideal())).value();
  EXPECT_NEAR(s.power.load, 56.77, 0.005);
  EXPECT_NEAR(s.vonFraction, 0.0233, 0.00005);
  EXPECT_NEAR(s.vPeak, 113.93, 0.005);
  EXPECT_GT(s.slopeTurnOn, 0);
}

// Ron → 0 must approach the ideal switch, whose turn-on loss is ½·C1·Δv²·f
// lost at once rather than in a resistor.
TEST(IdealSwitch, SmallRonTendsToTheIdealSwitch) {
  const IdealDesign d = Ideal("4", "20", "0.5");
  const SteadyState ideal = SolveSteadyState(IdealStage(d, Options(std::nullopt, 0))).value();
  const SteadyState tiny = SolveSteadyState(IdealStage(d, Options(std::nullopt, 1e-8))).value();
  EXPECT_NEAR(tiny.power.load, ideal.power.load, 1e-7 * ideal.power.load);
  EXPECT_NEAR(tiny.power.ron, ideal.power.discharge, 1e-4 * ideal.power.discharge);
  EXPECT_NEAR(tiny.power.von, ideal.power.von, 1e-6 * ideal.power.von);
  const double drop = ideal.vTurnOn - d.Von;
  EXPECT_NEAR(ideal.power.discharge, 0.5 * d.C1 * drop * drop * d.f, 1e-12);
}

TEST(BadStage, FailsWithoutNumbers) {
  Stage negative = IdealStage(Ideal());
  negative.Ron = -1e-3;
  const Result<SteadyState> r = SolveSteadyState(negative);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.failure().kind, FailureKind::NegativeRon);
  EXPECT_THROW(static_cast<void>(r.value()), std::bad_variant_access);

  StageOptions coss;
  coss.Coss = 2e-9;  // above the 808 pF C1
  const Result<Stage> s = StageFromIdeal(Ideal(), coss);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.failure().kind, FailureKind::CossAboveC1);
  EXPECT_NE(s.failure().message.find("(Coss = 2000 pF) supera la C1 richiesta (807,7 pF)"),
            std::string::npos)
      << s.failure().message;

  Stage nan = IdealStage(Ideal());
  nan.C2 = std::nan("");
  EXPECT_EQ(SolveSteadyState(nan).failure().kind, FailureKind::InvalidValue);
  for (const double von : {-0.5, 28.0}) {  // below zero, and as large as Vcc
    Stage on = IdealStage(Ideal());
    on.Von = von;
    EXPECT_EQ(SolveSteadyState(on).failure().kind, FailureKind::InvalidValue) << von;
  }
}

}  // namespace
}  // namespace classe::circuit
