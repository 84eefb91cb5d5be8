// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/parts/standard_series.h"

namespace classe::parts {
namespace {

constexpr Series kAll[] = {Series::E6, Series::E12, Series::E24, Series::E48, Series::E96};

// Every value of the series from 1e-14 to 1e-6, built from the mantissas
// the slow way, for the exhaustive searches below.
std::vector<double> Ladder(Series series) {
  std::vector<double> values;
  const std::span<const int> m = Mantissas(series);
  const double unit = m.front() >= 100 ? 100 : 10;
  for (int e = -14; e <= -6; ++e)
    for (int mantissa : m)
      values.push_back(mantissa / unit * std::pow(10.0, e));
  return values;
}

TEST(StandardSeries, DecadesHoldTheIecValues) {
  EXPECT_EQ(Mantissas(Series::E6).size(), 6u);
  EXPECT_EQ(Mantissas(Series::E12).size(), 12u);
  EXPECT_EQ(Mantissas(Series::E24).size(), 24u);
  EXPECT_EQ(Mantissas(Series::E48).size(), 48u);
  EXPECT_EQ(Mantissas(Series::E96).size(), 96u);
  // The values that break the geometric rule in E24, and the ends of E96.
  const std::vector<int> e24(Mantissas(Series::E24).begin(), Mantissas(Series::E24).end());
  for (int v : {27, 30, 33, 36, 39, 43, 47, 82, 91})
    EXPECT_NE(std::ranges::count(e24, v), 0) << v;
  EXPECT_EQ(Mantissas(Series::E96).front(), 100);
  EXPECT_EQ(Mantissas(Series::E96).back(), 976);
  EXPECT_EQ(Mantissas(Series::E48).back(), 953);
  // Each E(2n) holds E(n) for the 3-digit series; each decade ascends.
  for (Series s : kAll) {
    const auto m = Mantissas(s);
    EXPECT_TRUE(std::ranges::is_sorted(m));
  }
  for (int v : Mantissas(Series::E48))
    EXPECT_NE(std::ranges::count(Mantissas(Series::E96), v), 0);
}

TEST(StandardSeries, NamesReadBack) {
  for (Series s :
       {Series::Continuous, Series::E6, Series::E12, Series::E24, Series::E48, Series::E96})
    EXPECT_EQ(ParseSeries(SeriesName(s)), s);
  EXPECT_FALSE(ParseSeries("E25"));
  EXPECT_FALSE(ParseSeries("e24"));
  EXPECT_FALSE(ParseSeries(""));
}

TEST(StandardSeries, NearestIsTheLeastRatioInEverySeries) {
  for (Series s : kAll) {
    const std::vector<double> ladder = Ladder(s);
    for (double x = 1.3e-12; x < 9e-9; x *= 1.0137) {
      double best = 0;
      for (double v : ladder)
        if (best == 0 || std::abs(std::log(v / x)) < std::abs(std::log(best / x))) best = v;
      EXPECT_NEAR(Nearest(x, s), best, 1e-9 * best) << SeriesName(s) << " " << x;
    }
  }
  // The values themselves, and the decade's ends, stay put.
  EXPECT_DOUBLE_EQ(Nearest(1.8e-9, Series::E24), 1.8e-9);
  EXPECT_DOUBLE_EQ(Nearest(9.6e-9, Series::E24), 1e-8);
  EXPECT_DOUBLE_EQ(Nearest(1.02e-10, Series::E12), 1e-10);
  EXPECT_DOUBLE_EQ(Nearest(1.234e-9, Series::Continuous), 1.234e-9);
}

TEST(StandardSeries, ChokeGoesToTheValueAtOrAbove) {
  EXPECT_DOUBLE_EQ(AtOrAbove(2.2e-4, Series::E12), 2.2e-4);
  EXPECT_DOUBLE_EQ(AtOrAbove(2.2001e-4, Series::E12), 2.7e-4);
  EXPECT_DOUBLE_EQ(AtOrAbove(8.3e-6, Series::E12), 1e-5);
  EXPECT_DOUBLE_EQ(AtOrAbove(9.77e-7, Series::E96), 1e-6);
  EXPECT_DOUBLE_EQ(AtOrAbove(3.3e-5, Series::Continuous), 3.3e-5);
}

TEST(StandardSeries, ParallelPairIsTheBestOfAllPairs) {
  for (Series s : {Series::E6, Series::E12, Series::E24}) {
    const std::vector<double> ladder = Ladder(s);
    for (double x : {1.093e-9, 5.127e-10, 2.31e-11, 7.77e-10, 1e-9, 3.3e-10}) {
      double best = 0;
      // Each part below x, the larger first: a pair, not a part and a crumb.
      for (double a : ladder)
        for (double b : ladder)
          if (a < x && b <= a &&
              (best == 0 || std::abs(std::log((a + b) / x)) < std::abs(std::log(best / x))))
            best = a + b;
      const auto pair = BestParallelPair(x, s);
      ASSERT_TRUE(pair);
      EXPECT_NEAR(pair->value, best, 1e-9 * best) << SeriesName(s) << " " << x;
      EXPECT_GE(pair->a, pair->b);
      EXPECT_DOUBLE_EQ(pair->a + pair->b, pair->value);
    }
  }
  // 1 nF from E12: 820 pF + 180 pF exactly.
  const auto exact = BestParallelPair(1e-9, Series::E12);
  EXPECT_NEAR(exact->value, 1e-9, 1e-21);
  EXPECT_FALSE(BestParallelPair(1e-9, Series::Continuous));
  EXPECT_FALSE(BestParallelPair(0, Series::E24));
  EXPECT_FALSE(BestParallelPair(NAN, Series::E24));
}

}  // namespace
}  // namespace classe::parts
