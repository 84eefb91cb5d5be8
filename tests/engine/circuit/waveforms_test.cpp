// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>

#include "engine/circuit/load_harmonics.h"
#include "engine/circuit/ratings.h"
#include "engine/circuit/steady_state.h"
#include "engine/circuit/waveforms.h"
#include "tests/engine/circuit/support.h"

namespace classe::circuit {
namespace {

using testing::Ideal;
using testing::IdealStage;
using testing::Options;

double PeakOf(const std::vector<double>& v) {
  double m = 0;
  for (double x : v)
    m = std::max(m, std::fabs(x));
  return m;
}

TEST(Waveforms, TwoEqualPeriodsFromTheSteadyState) {
  const Stage stage = IdealStage(Ideal(), Options(50.0));
  const SteadyState s = SolveSteadyState(stage).value();
  const long long M = 4000;
  const Waveforms w = SampleWaveforms(stage, M).value();
  ASSERT_EQ(w.vD.size(), static_cast<std::size_t>(M + 1));
  EXPECT_NEAR(w.vD[0], s.start[1], 1e-9);
  EXPECT_NEAR(w.iBranch[0], s.start[3], 1e-9);
  // π is sampled just before the switch closes.
  EXPECT_NEAR(w.vD[M / 4], s.vTurnOn, 1e-9 * s.vPeak);
  for (long long j = 0; j <= M / 2; j += 37) {
    const auto k = static_cast<std::size_t>(j);
    const auto l = static_cast<std::size_t>(j + M / 2);
    EXPECT_NEAR(w.vD[k], w.vD[l], 1e-9 * s.vPeak);
    EXPECT_NEAR(w.iBranch[k], w.iBranch[l], 1e-9);
  }
  // The choke current (Kirchhoff at the drain) averages to the DC that the
  // exact integrals give.
  double mean = 0;
  for (std::size_t j = 0; j < w.vD.size() - 1; ++j)
    mean += w.iC1[j] + w.isw[j] + w.iBranch[j];
  EXPECT_NEAR(mean / M, s.idc, 1e-6 * s.idc);
  // The refined drain peak bounds every sample and is reached by them.
  EXPECT_LE(PeakOf(w.vD), s.vPeak);
  EXPECT_GT(PeakOf(w.vD), s.vPeak * (1 - 1e-5));

  EXPECT_EQ(SampleWaveforms(stage, 0).failure().kind, FailureKind::SampleCount);
}

TEST(Ratings, BoundTheSampledWaveformsAndDefineTheSpike) {
  const Stage stage = IdealStage(Ideal());
  const SteadyState s = SolveSteadyState(stage).value();
  const Ratings r = ComputeRatings(stage).value();
  const Waveforms w = SampleWaveforms(stage, 20000).value();
  EXPECT_NEAR(r.C1.voltage, s.vPeak, 1e-9 * s.vPeak);
  EXPECT_EQ(r.sw.voltage, r.C1.voltage);
  // A C1 five times too large peaks late in the open half, and is still found.
  Stage slow = stage;
  slow.C1 *= 5;
  EXPECT_NEAR(ComputeRatings(slow).value().C1.voltage, SolveSteadyState(slow).value().vPeak,
              1e-9 * s.vPeak);
  EXPECT_LE(PeakOf(w.iBranch), r.C2.current * (1 + 1e-12));
  EXPECT_GT(PeakOf(w.iBranch), r.C2.current * (1 - 1e-5));
  // The spike is (vD(π) − Von)/Ron; the rating starts 20 Ron·C1 later.
  ASSERT_TRUE(r.dischargeCurrent.has_value());
  EXPECT_NEAR(*r.dischargeCurrent, s.vTurnOn / stage.Ron, 1e-6 * *r.dischargeCurrent);
  // No sample falls inside the 4e-4 rad the spike takes.
  EXPECT_LE(PeakOf(w.isw), r.sw.current * (1 + 1e-12));
  EXPECT_GT(PeakOf(w.isw), r.sw.current * (1 - 1e-5));
  EXPECT_NEAR(r.settleAngle, 20 * stage.omega * stage.Ron * stage.C1, 1e-15);
  EXPECT_NEAR(r.dischargeEnergy, 0.5 * stage.C1 * s.vTurnOn * s.vTurnOn, 1e-9 * r.dischargeEnergy);
  // With an on-voltage the drop is counted from Von.
  const Stage on = IdealStage(Ideal("4", "20", "1"));
  const double drop = SolveSteadyState(on).value().vTurnOn - on.Von;
  EXPECT_NEAR(*ComputeRatings(on).value().dischargeCurrent, drop / on.Ron, 1e-6 * drop / on.Ron);
  // Ron takes the discharge and the conduction loss, the latter below Ron·Ipk².
  const double conduction = s.power.ron - r.dischargeEnergy * stage.omega / (2 * M_PI);
  EXPECT_GT(conduction, 0);
  EXPECT_LT(conduction, stage.Ron * r.sw.current * r.sw.current);
  // Off the spike, the switch carries the choke's current less the branch's:
  // at most Idc plus the branch amplitude.
  EXPECT_LT(r.sw.current, s.idc + r.C2.current);
  EXPECT_GT(r.sw.current, r.C2.current);
  EXPECT_EQ(r.networkL.current, 0);

  // With RL > R the network L is in series with L2: one current, so their
  // voltages stand as their inductances; C sits across RL.
  const Stage up = IdealStage(Ideal(), Options(50.0));
  const Ratings net = ComputeRatings(up).value();
  EXPECT_NEAR(net.L2.voltage / net.networkL.voltage, up.L2 / up.load.L, 1e-9);
  EXPECT_EQ(net.networkL.current, net.L2.current);
  EXPECT_NEAR(net.networkC.voltage, net.load.voltage, 1e-12 * net.load.voltage);
  // At the fundamental the capacitor's current is ω·C·V; the harmonics, k
  // times as strong in a capacitor, add up to 8 % here.
  EXPECT_NEAR(net.networkC.current, up.omega * up.load.C * net.networkC.voltage,
              0.1 * net.networkC.current);

  const Ratings ideal = ComputeRatings(IdealStage(Ideal(), Options(5.0, 0))).value();
  EXPECT_FALSE(ideal.dischargeCurrent.has_value());
  EXPECT_GT(ideal.networkC.voltage, 0);
}

TEST(Ratings, TheSettleWindowEndsBeforeTheSwitchOpens) {
  Stage stage = IdealStage(Ideal());
  stage.Ron = 50;  // 20·Ron·C1 spans several periods
  const Ratings r = ComputeRatings(stage).value();
  EXPECT_LT(r.settleAngle, M_PI);
  EXPECT_GT(r.settleAngle, 0.99 * M_PI);
}

// The spectrum's exact integrals against a plain DFT of the sampled load
// current (the trapezoid rule is spectrally accurate on a periodic signal).
TEST(LoadSpectrum, MatchesTheDftOfTheWaveform) {
  const Stage stage = IdealStage(Ideal("3"));
  const LoadSpectrum spectrum = ComputeLoadSpectrum(stage).value();
  const int M = 8192;
  const Waveforms w = SampleWaveforms(stage, M).value();  // R load: iBranch is the load current
  const auto amplitude = [&](int k) {
    std::complex<double> sum = 0;
    for (int j = 0; j < M; ++j)
      sum += w.iBranch[static_cast<std::size_t>(j)] * std::polar(1.0, -k * 4 * M_PI * j / M);
    return 2 * std::abs(sum) / M;
  };
  EXPECT_NEAR(spectrum.fundamental, amplitude(1), 1e-7 * spectrum.fundamental);
  EXPECT_NEAR(spectrum.second, 20 * std::log10(amplitude(2) / amplitude(1)), 1e-4);
  EXPECT_NEAR(spectrum.third, 20 * std::log10(amplitude(3) / amplitude(1)), 1e-4);
  // Parseval: the first three harmonics carry all but the small rest of Po.
  const SteadyState s = SolveSteadyState(stage).value();
  const double first = 0.5 * stage.R * spectrum.fundamental * spectrum.fundamental;
  const double three =
      first * (1 + std::pow(10, spectrum.second / 10) + std::pow(10, spectrum.third / 10));
  EXPECT_LT(three, s.power.load);
  EXPECT_NEAR(three, s.power.load, 1e-3 * s.power.load);
  // The network's shunt C filters the harmonics further.
  const LoadSpectrum filtered = ComputeLoadSpectrum(IdealStage(Ideal("3"), Options(50.0))).value();
  EXPECT_LT(filtered.second, spectrum.second - 6);
}

}  // namespace
}  // namespace classe::circuit
