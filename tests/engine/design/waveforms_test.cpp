// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/design/constants.h"
#include "engine/design/design_equations.h"
#include "engine/design/fault.h"
#include "engine/design/sampling.h"
#include "engine/design/trig.h"
#include "engine/design/waveforms.h"

namespace classe {
namespace {

DesignState Designed(const char* von = "0") {
  DesignState s;
  ComputeDesign(s, {"50", "4", "4", von, "28", "20"});
  s.phi = OutputCurrentPhase();
  return s;
}

void At(DesignState& s, double teta) {
  s.teta = teta;
  EvaluateWaveforms(s);
}

// Distance of `value` from the exact `reference` in units in the last place
// of the double nearest to it.
double UlpsFrom(double value, long double reference) {
  const double nearest = static_cast<double>(reference);
  const double ulp = std::nextafter(std::fabs(nearest), INFINITY) - std::fabs(nearest);
  return static_cast<double>(std::fabs(static_cast<long double>(value) - reference)) / ulp;
}

TEST(Trigonometry, WithinTwoUnitsInTheLastPlaceOverTheModelsAngles) {
  // teta + phi and u + phi span about −0.57 … 12; a little more either side.
  double worstSine = 0;
  double worstCosine = 0;
  for (int i = 0; i <= 2000000; ++i) {
    const double x = -1 + i * (14.0 / 2000000);
    worstSine = std::max(worstSine, UlpsFrom(Sine(x), sinl(static_cast<long double>(x))));
    worstCosine = std::max(worstCosine, UlpsFrom(Cosine(x), cosl(static_cast<long double>(x))));
  }
  // 1.53 and 1.50 with these polynomials: the bound keeps every term they have.
  EXPECT_LE(worstSine, 1.6) << worstSine;
  EXPECT_LE(worstCosine, 1.6) << worstCosine;
}

TEST(Waveforms, PhaseIsArctanOfMinusTwoOverPi) {
  EXPECT_NEAR(OutputCurrentPhase(), -0.5669115, 1e-7);
  EXPECT_NEAR(std::tan(OutputCurrentPhase()), -2 / kPi, 1e-15);
}

TEST(Waveforms, EachPeriodStartsWithTheSwitchOpening) {
  DesignState s = Designed();
  At(s, 0);
  EXPECT_EQ(s.Vc1, 0);  // exactly: the two cosine terms cancel
  EXPECT_EQ(s.Isw, 0);
  EXPECT_NEAR(s.IrTeta, -s.IDC, 1e-12);
  EXPECT_NEAR(s.Ic1, 2 * s.IDC, 1e-12);

  At(s, kPi);  // the bound belongs to the open interval below it
  EXPECT_NEAR(s.Vc1, 0, 1e-9);
  EXPECT_EQ(s.Isw, 0);

  At(s, kTwoPi);  // closed
  EXPECT_EQ(s.Vc1, s.Von);
  EXPECT_EQ(s.Ic1, 0);
  EXPECT_NEAR(s.Isw, 2 * s.IDC, 1e-9);

  At(s, std::nextafter(kTwoPi, 10.0));  // open again, ramp restarted
  EXPECT_NEAR(s.Vc1, 0, 1e-9);
  EXPECT_EQ(s.Isw, 0);
  EXPECT_NEAR(s.Ic1, 2 * s.IDC, 1e-9);

  At(s, kFourPi);  // the last bound is evaluated, closed
  EXPECT_EQ(s.Vc1, s.Von);
  EXPECT_EQ(s.Ic1, 0);
}

TEST(Waveforms, AnglesOutsideTwoPeriodsLeaveTheValuesAlone) {
  DesignState s = Designed();
  for (double teta : {12.57, -0.001, std::nextafter(kFourPi, 20.0)}) {
    s.Vc1 = s.IrTeta = s.Ic1 = s.Isw = 42;
    At(s, teta);
    EXPECT_EQ(s.Vc1, 42);
    EXPECT_EQ(s.IrTeta, 42);
    EXPECT_EQ(s.Ic1, 42);
    EXPECT_EQ(s.Isw, 42);
  }
}

TEST(Waveforms, DefaultDesignAtQuarterPeriods) {
  DesignState s = Designed();
  At(s, kPi / 2);
  EXPECT_NEAR(s.Vc1, 87.96, 0.005);
  EXPECT_NEAR(s.IrTeta, 2.805, 0.0005);
  At(s, 3 * kPi / 2);
  EXPECT_EQ(s.Vc1, 0);
  EXPECT_NEAR(s.Isw, 4.591, 0.0005);
}

TEST(Waveforms, BranchCurrentsAddUpToTheSupplyCurrent) {
  for (const char* von : {"0", "2"}) {
    DesignState s = Designed(von);
    for (int i = 0; i <= 400; ++i) {
      At(s, i * kFourPi / 400);
      EXPECT_NEAR(s.Isw + s.Ic1 + s.IrTeta, s.IDC, 1e-12) << i;
    }
  }
}

TEST(Waveforms, SecondPeriodRepeatsTheFirst) {
  DesignState a = Designed();
  DesignState b = a;
  for (int i = 1; i <= 200; ++i) {
    const double u = i * kTwoPi / 200;
    At(a, u);
    At(b, u + kTwoPi);
    EXPECT_NEAR(a.Vc1, b.Vc1, 1e-9) << u;
    EXPECT_NEAR(a.Isw, b.Isw, 1e-9) << u;
    EXPECT_NEAR(a.IrTeta, b.IrTeta, 1e-9) << u;
  }
}

TEST(Waveforms, OpenVoltageScalesWithVccAloneAndPeaksNear3562) {
  DesignState zero = Designed("0");
  DesignState two = Designed("2");
  double peak = 0;
  for (int i = 0; i <= 10000; ++i) {
    const double x = i * kPi / 10000;
    At(zero, x);
    At(two, x);
    EXPECT_NEAR(zero.Vc1, two.Vc1, 1e-9);
    peak = std::max(peak, zero.Vc1 / 28);
  }
  EXPECT_NEAR(peak, 3.562, 0.0005);
  At(two, 1.5 * kPi);
  EXPECT_EQ(two.Vc1, 2);
}

TEST(Waveforms, ZeroShuntCapacitanceIsAFaultWithNothingStored) {
  DesignState s = Designed();
  s.C1 = 0;
  s.Vc1 = 42;
  s.teta = 0;
  try {
    EvaluateWaveforms(s);
    FAIL();
  } catch (const ArithmeticFault& f) {
    EXPECT_EQ(f.kind(), FaultKind::InvalidOperation);  // 0 / 0 at teta = 0
    EXPECT_EQ(f.quantity(), "Vc1");
  }
  EXPECT_EQ(s.Vc1, 42);
}

TEST(Sampling, SamplesAreTheModelAtEachAngle) {
  // 1003 samples leave three past the last group of four, done one at a time.
  for (const std::int32_t M : {1000, 1002}) {
    DesignState s = Designed();
    s.M = M;
    SampleWaveforms(s, kAllWaveforms);
    DesignState e = s;
    for (int i = 0; i <= M; ++i) {
      At(e, SampleAngle(i, M));
      ASSERT_EQ(s.Vc1Samples[i], e.Vc1) << i;
      ASSERT_EQ(s.IswSamples[i], e.Isw) << i;
      ASSERT_EQ(s.Ic1Samples[i], e.Ic1) << i;
      ASSERT_EQ(s.IrSamples[i], e.IrTeta) << i;
    }
    EXPECT_EQ(s.Vc1Samples.size(), M + 3u);
    EXPECT_EQ(s.Vc1Samples[M + 1], 0);
    EXPECT_EQ(s.Vc1Samples[M + 2], 0);
    EXPECT_EQ(s.teta, kFourPi);
    EXPECT_EQ(s.Vc1, e.Vc1);  // the last evaluation stays
  }
}

TEST(Sampling, ArraysOfHugePagesHoldTheSamplesToo) {
  DesignState s = Designed();
  s.M = 300000;  // 2.4 MB an array: above one huge page
  SampleWaveforms(s, kAllWaveforms);
  ASSERT_EQ(s.IrSamples.size(), 300003u);
  DesignState e = s;
  At(e, SampleAngle(150001, s.M));
  EXPECT_EQ(s.IrSamples[150001], e.IrTeta);
}

TEST(Sampling, LastAngleIsExactlyTheBoundForEveryCount) {
  for (int M : {1, 3, 7, 49, 1000, 999983})
    EXPECT_EQ(SampleAngle(M, M), kFourPi) << M;
}

TEST(Sampling, AFaultMidwayKeepsTheSamplesBeforeIt) {
  // Vc1 = u·1e308 overflows once u exceeds about 1.8 rad, far into the arrays.
  DesignState s;
  s.Ir = 0;
  s.IDC = 1;
  s.omega = 1;
  s.C1 = 1e-308;
  s.M = 100000;
  try {
    SampleWaveforms(s, kAllWaveforms);
    FAIL();
  } catch (const ArithmeticFault& f) {
    EXPECT_EQ(f.kind(), FaultKind::Overflow);
    EXPECT_EQ(f.quantity(), "Vc1");
  }
  const auto first = static_cast<std::size_t>(std::ceil(1.7976931348623157 / (kFourPi / 1e5)));
  ASSERT_GT(first, 4096u);  // not in the first block
  std::size_t k = 0;
  while (std::isfinite(s.Vc1Samples[k]) && (k == 0 || s.Vc1Samples[k] != 0))
    ++k;
  EXPECT_NEAR(static_cast<double>(k), static_cast<double>(first), 2);
  // Every array is zero from the fault on; before it they hold their samples
  // (here Ic1 = IDC while the switch is open; Ir is zero throughout).
  for (const SampleArray* samples : {&s.Vc1Samples, &s.IswSamples, &s.Ic1Samples, &s.IrSamples}) {
    for (std::size_t j = k; j < samples->size(); ++j)
      ASSERT_EQ((*samples)[j], 0) << j;
  }
  EXPECT_EQ(s.Ic1Samples[k - 1], 1);
  EXPECT_EQ(s.teta, SampleAngle(static_cast<std::int64_t>(k), s.M));
}

}  // namespace
}  // namespace classe
