// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cmath>

#include "engine/circuit/orbit.h"

namespace classe::circuit {
namespace {

// The flow of (cos θ, sin θ, cos 3θ, sin 3θ, 1), from θ = 0.
AugMatrix<4> Harmonics() {
  AugMatrix<4> A = AugMatrix<4>::Zero();
  A(0, 1) = -1;
  A(1, 0) = 1;
  A(2, 3) = -3;
  A(3, 2) = 3;
  return A;
}
const AugVector<4> kStart = (AugVector<4>() << 1, 0, 1, 0, 1).finished();

// y = cos 3θ + 1e-4·sin θ on [0, π]: the best of 128 samples is θ = 0
// (y = 1), but the true peak, 1 + 0.866e-4, is on the lobe at 2π/3, which
// falls between samples. Refining only the best sample would miss it.
TEST(PeakSearch, RefinesEveryNearlyEqualLobe) {
  const Propagator<4> flow(Harmonics());
  const AugVector<4>& z0 = kStart;
  AugRow<4> y;
  y << 0, 1e-4, 1, 0, 0;
  const HalfSamples<4> half = SampleHalf<4>(flow, z0, 0, M_PI, 128);
  ASSERT_EQ(y.dot(half.z.front()), 1);
  const Extremum peak = Maximum<4>(half, y);
  // Where −3·sin 3θ + 1e-4·cos θ = 0 near 2π/3.
  const double teta = 2 * M_PI / 3 + 1e-4 * std::cos(2 * M_PI / 3) / 9;
  EXPECT_NEAR(peak.teta, teta, 1e-8);
  EXPECT_NEAR(peak.value, std::cos(3 * teta) + 1e-4 * std::sin(teta), 1e-13);
}

// Two intervals over the half period: Newton from the middle sample leaves
// its bracket, and bisection must bring it back, whatever the curvature.
TEST(PeakSearch, BisectsWhenNewtonLeavesTheBracket) {
  const Propagator<4> flow(Harmonics());
  const AugVector<4>& z0 = kStart;
  AugRow<4> y;
  y << 0.45, 0.82, -0.62, 0.49, 0;
  const Extremum peak = Maximum<4>(SampleHalf<4>(flow, z0, 0, M_PI, 2), y);
  const double slope = -0.45 * std::sin(peak.teta) + 0.82 * std::cos(peak.teta) +
                       1.86 * std::sin(3 * peak.teta) + 1.47 * std::cos(3 * peak.teta);
  EXPECT_NEAR(peak.teta, 0.8525271710883204, 1e-9);
  EXPECT_NEAR(peak.value, 1.7009661126894953, 1e-12);
  EXPECT_NEAR(slope, 0, 1e-9);
  // Here Newton from θ = π/2 jumps to 24.8 though y'' < 0 there.
  AugRow<4> flat;
  flat << -0.12, 0.4, 0.27, 0.04, 0;
  EXPECT_NEAR(Maximum<4>(SampleHalf<4>(flow, z0, 0, M_PI, 2), flat).value, 0.67651095473, 1e-10);
  // A curve below zero throughout has its maximum at the first sample; one
  // rising throughout at the last, even when the sample before is far below.
  AugRow<4> below;
  below << 1, 0, 0, 0, -2;
  EXPECT_EQ(Maximum<4>(SampleHalf<4>(flow, z0, 0, M_PI, 8), below).value, -1);
  below(0) = -1;
  EXPECT_NEAR(Maximum<4>(SampleHalf<4>(flow, z0, 0, M_PI, 2), below).value, -1, 1e-12);
}

// y = sin ωθ peaking half a step before π: the last interval must be
// refined like any other.
TEST(PeakSearch, RefinesThePeakInTheLastInterval) {
  const double step = M_PI / 128;
  const double omega = M_PI / 2 / (M_PI - step / 2);
  AugMatrix<4> A = AugMatrix<4>::Zero();  // (cos ωθ, sin ωθ, –, –, 1)
  A(0, 1) = -omega;
  A(1, 0) = omega;
  AugVector<4> z0;
  z0 << 1, 0, 0, 0, 1;
  AugRow<4> y;
  y << 0, 1, 0, 0, 0;
  const Extremum peak = Maximum<4>(SampleHalf<4>(Propagator<4>(A), z0, 0, M_PI, 128), y);
  EXPECT_NEAR(peak.teta, M_PI - step / 2, 1e-8);
  EXPECT_NEAR(peak.value, 1, 1e-13);
}

}  // namespace
}  // namespace classe::circuit
