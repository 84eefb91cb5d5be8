// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/circuit/exact_design.h"
#include "engine/circuit/load_harmonics.h"
#include "engine/circuit/nonlinear_orbit.h"
#include "engine/circuit/ratings.h"
#include "engine/circuit/steady_state.h"
#include "engine/circuit/step_budget.h"
#include "engine/circuit/waveforms.h"
#include "engine/design/design_equations.h"
#include "tests/engine/circuit/support.h"

namespace classe::circuit {
namespace {

using namespace testing;

Transistor Junction(double Cref, double m, double Vref = 25, double Vj = 0.7) {
  return {std::get<transistor::Junction>(transistor::Junction::Make(Cref, Vref, m, Vj)), Vref,
          std::nullopt};
}

StageOptions WithTransistor(const Transistor& t, std::optional<double> RL = std::nullopt,
                            double Ron = 1e-3) {
  StageOptions o = Options(RL, Ron);
  o.transistor = t;
  return o;
}

IdealDesign At(const char* f, const char* Q = "4", const char* Vcc = "28") {
  DesignState s;
  ComputeDesign(s, {"50", f, Q, "0", Vcc, "20"});
  return FromDesignState(s);
}

// A constant Coss through the nonlinear engine is the linear engine's Coss:
// the same steady state, to the integrator's tolerance.
TEST(Transistor, AConstantCossIsTheLinearStage) {
  for (std::optional<double> RL : {std::optional<double>{}, std::optional<double>{50.0}}) {
    const Stage linear = DesignExact(Ideal(), Options(RL)).value().stage;
    Stage withTransistor = linear;
    withTransistor.Coss = 300e-12;
    withTransistor.transistor = Transistor{transistor::CossModel::Linear(300e-12), 25, {}};
    const SteadyState a = SolveSteadyState(linear).value();
    const SteadyState b = SolveSteadyState(withTransistor).value();
    EXPECT_NEAR(b.power.load, a.power.load, 1e-7 * a.power.load);
    EXPECT_NEAR(b.efficiency, a.efficiency, 1e-8);
    EXPECT_NEAR(b.vPeak, a.vPeak, 1e-7 * a.vPeak);
    EXPECT_NEAR(b.vTurnOn, a.vTurnOn, 1e-7 * a.vPeak);
    EXPECT_NEAR(b.slopeTurnOn, a.slopeTurnOn, 1e-6 * a.vPeak);
    EXPECT_NEAR(b.rho, a.rho, 1e-6);
    EXPECT_NEAR(b.power.diode, 0, 1e-9);
    for (std::size_t i = 0; i < 6; ++i)
      EXPECT_NEAR(b.start[i], a.start[i], 1e-7 * (std::fabs(a.start[i]) + 1)) << i;
    const Ratings ra = ComputeRatings(linear).value();
    const Ratings rb = ComputeRatings(withTransistor).value();
    EXPECT_NEAR(rb.C2.current, ra.C2.current, 1e-6 * ra.C2.current);
    EXPECT_NEAR(rb.sw.current, ra.sw.current, 1e-6 * ra.sw.current);
    EXPECT_NEAR(rb.L1.voltage, ra.L1.voltage, 1e-5 * ra.L1.voltage);
    const LoadSpectrum sa = ComputeLoadSpectrum(linear).value();
    const LoadSpectrum sb = ComputeLoadSpectrum(withTransistor).value();
    EXPECT_NEAR(sb.second, sa.second, 0.01);
    EXPECT_NEAR(sb.third, sa.third, 0.01);
    const Waveforms wa = SampleWaveforms(linear, 999).value();
    const Waveforms wb = SampleWaveforms(withTransistor, 999).value();
    for (std::size_t j = 0; j < wa.vD.size(); j += 37) {
      EXPECT_NEAR(wb.vD[j], wa.vD[j], 1e-6 * a.vPeak) << j;
      EXPECT_NEAR(wb.iBranch[j], wa.iBranch[j], 1e-6 * ra.C2.current) << j;
    }
  }
}

// The design with a junction Coss in the loop meets the class-E conditions,
// every watt accounted for, its choke keyed to the datasheet's Coss.
TEST(Transistor, ExactDesignWithAJunction) {
  for (double m : {0.33, 0.5, 0.75}) {
    for (std::optional<double> RL : {std::optional<double>{}, std::optional<double>{5.0}}) {
      const Transistor t = Junction(400e-12, m);
      const ExactDesign d = DesignExact(Ideal("4"), WithTransistor(t, RL, 0.1)).value();
      const Stage& s = d.stage;
      const SteadyState& r = d.steady;
      EXPECT_NEAR(r.power.load, 50, 1e-6) << m;
      EXPECT_LT(std::fabs(r.vonFraction), 1e-6) << m;
      EXPECT_LT(std::fabs(r.slopeTurnOn), 1e-5 * r.vPeak) << m;
      EXPECT_NEAR(s.Coss, 400e-12, 1e-18);
      EXPECT_GT(s.C1ToBuy(), 0);
      EXPECT_NEAR(s.L1, 20 / (s.omega * s.omega * (s.C1ToBuy() + s.Coss)), 1e-12 * s.L1);
      EXPECT_NEAR(s.L2, 4 * s.R / s.omega, 1e-12 * s.L2);
      const PowerBudget& p = r.power;
      const double spent =
          p.load + p.ron + p.von + p.discharge + p.l1 + p.l2 + p.networkL + p.diode;
      // The closed half holds C1 at its value at Von: with Ron 0.1 Ω the drain
      // moves by tenths of a volt there, and the budget closes to 3e-5.
      EXPECT_NEAR(spent, p.dc, 3e-5 * p.dc) << m;
      // The drain rises above the linear design's: a steeper junction, higher.
      const Ratings ratings = ComputeRatings(s).value();
      EXPECT_NEAR(ratings.C1.voltage, r.vPeak, 1e-4 * r.vPeak);
      const Waveforms w = SampleWaveforms(s, 2000).value();
      EXPECT_NEAR(*std::max_element(w.vD.begin(), w.vD.end()), r.vPeak, 2e-4 * r.vPeak);
      EXPECT_NEAR(w.vD.front(), r.start[1], 1e-9 * r.vPeak);
    }
  }
}

// The period map a steady state keeps (its ρ, the deck's settling periods, a
// nearby stage's first Newton matrix) is the converged orbit's own: central
// differences of the period map there agree.
TEST(Transistor, PeriodMapIsTheOrbitsOwn) {
  const Transistor t = Junction(500e-12, 0.33);
  const Stage s = DesignExact(Ideal("4"), WithTransistor(t)).value().stage;
  const NonlinearOrbit<4> o = SolveNonlinearOrbit<4>(s).value();
  const Eigen::Vector4d scale = StateScale<4>(s);
  const auto period = [&](const Eigen::Vector4d& x) {
    AugVector<4> z;
    z << o.open->End(x).value(), 1.0;
    return (o.closedMap * z).head<4>().eval();
  };
  for (int j = 0; j < 4; ++j) {
    const Eigen::Vector4d step = Eigen::Vector4d::Unit(j) * 1e-4 * scale(j);
    const Eigen::Vector4d column =
        (period(o.start + step) - period(o.start - step)) / (2 * step(j));
    for (int i = 0; i < 4; ++i)
      EXPECT_NEAR(o.periodMap(i, j) * scale(j) / scale(i), column(i) * scale(j) / scale(i), 1e-4)
          << i << ", " << j;
  }
  EXPECT_NEAR(SolveSteadyState(s)->rho, o.SpectralRadius(), 1e-12);
}

// A design is stopped, with its message, when its integration steps run out;
// what an inner search spent is charged to the outer budget, and the steps
// are this thread's alone.
TEST(Transistor, AStepBudgetStopsTheDesign) {
  const StageOptions options = WithTransistor(Junction(500e-12, 0.5));
  {
    StepBudget tight(2000);
    const Result<ExactDesign> d = DesignExact(Ideal("4"), options);
    ASSERT_FALSE(d);
    EXPECT_EQ(d.failure().kind, FailureKind::NoConvergence);
    EXPECT_EQ(d.failure().message, StepBudgetSpent().message);
    EXPECT_EQ(StepBudget::Left(), 0);
  }
  {
    StepBudget ample(1000000);
    ASSERT_TRUE(DesignExact(Ideal("4"), options));
    const long spent = 1000000 - StepBudget::Left();
    EXPECT_GT(spent, 2000);
    EXPECT_LT(spent, 100000);
    {
      StepBudget inner(10000000);
      EXPECT_EQ(StepBudget::Left(), 1000000 - spent);  // never more than the outer has
      ASSERT_TRUE(SolveSteadyState(DesignExact(Ideal("4"), options)->stage));
    }
    EXPECT_LT(StepBudget::Left(), 1000000 - 2 * spent);
  }
}

// 1000 pF at 25 V, m 0.5, Vj 0.7 V leaves room for a capacitor up to
// 4.70 MHz (a linear 1000 pF only to 4.36 MHz); above, no design, and the
// limits say where one exists.
TEST(Transistor, FrequencyAndSupplyLimits) {
  const auto limits = [](const Transistor& t, const char* f) {
    const Result<ExactDesign> d = DesignExact(At(f), WithTransistor(t));
    EXPECT_FALSE(d) << f;
    if (d) return DesignLimits{};
    EXPECT_EQ(d.failure().kind, FailureKind::TransistorTooLarge) << d.failure().message;
    return d.failure().limits;
  };
  const DesignLimits junction = limits(Junction(1000e-12, 0.5), "5");
  ASSERT_TRUE(junction.fmax && junction.VccMax);
  EXPECT_NEAR(*junction.fmax, 4.70e6, 0.005e6);
  const DesignLimits linear = limits(Junction(1000e-12, 0), "5");
  ASSERT_TRUE(linear.fmax);
  EXPECT_NEAR(*linear.fmax, 4.36e6, 0.005e6);
  // Just below each limit a design exists, with a small capacitor to buy.
  const Result<ExactDesign> below =
      DesignExact(At("4.65"), WithTransistor(Junction(1000e-12, 0.5)));
  ASSERT_TRUE(below) << below.failure().message;
  EXPECT_LT(below->stage.C1ToBuy(), 0.1 * below->stage.Coss);
  char Vcc[16];
  std::snprintf(Vcc, sizeof Vcc, "%.4f", *junction.VccMax * 0.99);
  const Result<ExactDesign> lower =
      DesignExact(At("5", "4", Vcc), WithTransistor(Junction(1000e-12, 0.5)));
  EXPECT_TRUE(lower) << lower.failure().message;
  EXPECT_NE(DesignExact(At("5"), WithTransistor(Junction(1000e-12, 0.5)))
                .failure()
                .message.find("4,70 MHz"),
            std::string::npos);
}

// The ideal design on a transistor: the drain swings below ground at low Q
// and the body diode catches it.
TEST(Transistor, BodyDiodeClampsTheDrain) {
  const IdealDesign low = Ideal("1.8");
  const Stage s = StageFromIdeal(low, WithTransistor(Junction(100e-12, 0.5))).value();
  const SteadyState r = SolveSteadyState(s).value();
  const Waveforms w = SampleWaveforms(s, 4000).value();
  const double lowest = *std::min_element(w.vD.begin(), w.vD.end());
  EXPECT_GT(lowest, -1.0);
  const Stage noDiode = StageFromIdeal(low, Options()).value();
  const Waveforms free = SampleWaveforms(noDiode, 4000).value();
  EXPECT_LT(*std::min_element(free.vD.begin(), free.vD.end()), -2.0);
  EXPECT_GT(r.power.diode, 0);
  const PowerBudget& p = r.power;
  EXPECT_NEAR(p.load + p.ron + p.von + p.discharge + p.l1 + p.l2 + p.networkL + p.diode, p.dc,
              1e-5 * p.dc);
}

}  // namespace
}  // namespace classe::circuit
