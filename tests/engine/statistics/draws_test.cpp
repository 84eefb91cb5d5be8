// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/statistics/draws.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/statistics/histogram.h"
#include "engine/statistics/percentiles.h"

namespace classe::statistics {
namespace {

TEST(Draws, DependOnSeedAndIndexOnly) {
  auto a = BuildGenerator(1, 7);
  auto b = BuildGenerator(1, 7);
  EXPECT_EQ(a(), b());
  EXPECT_NE(BuildGenerator(1, 7)(), BuildGenerator(1, 8)());
  EXPECT_NE(BuildGenerator(1, 7)(), BuildGenerator(2, 7)());
  // Neighbouring seeds and indices do not give shifted copies of one stream.
  EXPECT_NE(BuildGenerator(1, 2)(), BuildGenerator(2, 1)());
}

TEST(Draws, UniformFillsTheBandEvenly) {
  std::vector<double> factors;
  for (std::uint64_t i = 0; i < 20000; ++i) {
    auto g = BuildGenerator(3, i);
    factors.push_back(DrawFactor(g, 0.05, Distribution::Uniform));
  }
  const Spread s = SpreadOf(factors);
  EXPECT_GE(s.min, 0.95);
  EXPECT_LE(s.max, 1.05);
  EXPECT_LT(s.min, 0.9502);
  EXPECT_GT(s.max, 1.0498);
  // Percentiles of a uniform variable on [0.95, 1.05].
  EXPECT_NEAR(s.p5, 0.955, 0.001);
  EXPECT_NEAR(s.p50, 1.0, 0.001);
  EXPECT_NEAR(s.p95, 1.045, 0.001);
}

TEST(Draws, NormalHasThreeSigmaAtTheTolerance) {
  std::vector<double> factors;
  double sum = 0, squares = 0;
  for (std::uint64_t i = 0; i < 20000; ++i) {
    auto g = BuildGenerator(5, i);
    const double f = DrawFactor(g, 0.3, Distribution::Normal);
    factors.push_back(f);
    sum += f;
    squares += f * f;
  }
  const double mean = sum / 20000;
  EXPECT_NEAR(mean, 1, 0.003);
  EXPECT_NEAR(std::sqrt(squares / 20000 - mean * mean), 0.1, 0.003);
  // 1.645 σ either side holds 90 %.
  const Spread s = SpreadOf(factors);
  EXPECT_NEAR(s.p5, 1 - 0.1645, 0.006);
  EXPECT_NEAR(s.p95, 1 + 0.1645, 0.006);
}

TEST(Draws, NormalNeverGoesToZeroOrBelow) {
  for (std::uint64_t i = 0; i < 20000; ++i) {
    auto g = BuildGenerator(9, i);
    EXPECT_GT(DrawFactor(g, 0.99, Distribution::Normal), 0);
  }
}

TEST(Draws, ZeroToleranceIsExactAndStillTakesItsNumber) {
  auto g = BuildGenerator(1, 0);
  auto h = BuildGenerator(1, 0);
  EXPECT_EQ(DrawFactor(g, 0, Distribution::Uniform), 1.0);
  DrawFactor(h, 0.05, Distribution::Uniform);
  // Both generators are at the same place afterwards.
  EXPECT_EQ(DrawFactor(g, 0.05, Distribution::Uniform), DrawFactor(h, 0.05, Distribution::Uniform));
}

TEST(Percentiles, InterpolateBetweenRanks) {
  std::vector<double> values;
  for (int k = 101; k >= 1; --k)
    values.push_back(k);  // unsorted on purpose
  const Spread s = SpreadOf(values);
  EXPECT_DOUBLE_EQ(s.p5, 6);
  EXPECT_DOUBLE_EQ(s.p50, 51);
  EXPECT_DOUBLE_EQ(s.p95, 96);
  EXPECT_DOUBLE_EQ(s.min, 1);
  EXPECT_DOUBLE_EQ(s.max, 101);
  // Four values: rank 0.15 of the way from the first to the second.
  const Spread four = SpreadOf({10, 20, 30, 40});
  EXPECT_DOUBLE_EQ(four.p5, 11.5);
  EXPECT_DOUBLE_EQ(four.p50, 25);
  EXPECT_DOUBLE_EQ(four.p95, 38.5);
  const Spread one = SpreadOf({7});
  EXPECT_DOUBLE_EQ(one.p5, 7);
  EXPECT_DOUBLE_EQ(one.p95, 7);
  const Spread none = SpreadOf({});
  EXPECT_EQ(none.max, 0);
}

TEST(Histogram, EveryValueInOneBinAndTheTopInTheLast) {
  const Histogram h = MakeHistogram({0, 1, 2, 3, 4, 5, 6, 7, 8, 10}, 5);
  ASSERT_EQ(h.counts.size(), 5u);
  EXPECT_EQ(h.lo, 0);
  EXPECT_EQ(h.hi, 10);
  EXPECT_EQ(h.counts, (std::vector<long long>{2, 2, 2, 2, 2}));
  EXPECT_EQ(h.binAt(10), 4u);
  EXPECT_EQ(h.binAt(1.99), 0u);
  EXPECT_EQ(h.binAt(2), 1u);
  EXPECT_FALSE(h.binAt(-0.1));
  EXPECT_FALSE(h.binAt(10.1));
  // One value: a range about it, the value counted.
  const Histogram flat = MakeHistogram({50, 50, 50}, 4);
  EXPECT_LT(flat.lo, 50);
  EXPECT_GT(flat.hi, 50);
  long long total = 0;
  for (long long c : flat.counts)
    total += c;
  EXPECT_EQ(total, 3);
}

}  // namespace
}  // namespace classe::statistics
