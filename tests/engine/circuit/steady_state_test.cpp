// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cmath>

#include "engine/circuit/steady_state.h"
#include "tests/engine/circuit/support.h"

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
