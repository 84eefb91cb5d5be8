// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/parts/standard_series.h"

#include <array>
#include <cmath>
#include <vector>

namespace classe::parts {
namespace {

constexpr std::array kE6{10, 15, 22, 33, 47, 68};
constexpr std::array kE12{10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82};
constexpr std::array kE24{10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                          33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};
constexpr std::array kE48{100, 105, 110, 115, 121, 127, 133, 140, 147, 154, 162, 169,
                          178, 187, 196, 205, 215, 226, 237, 249, 261, 274, 287, 301,
                          316, 332, 348, 365, 383, 402, 422, 442, 464, 487, 511, 536,
                          562, 590, 619, 649, 681, 715, 750, 787, 825, 866, 909, 953};
constexpr std::array kE96{100, 102, 105, 107, 110, 113, 115, 118, 121, 124, 127, 130, 133, 137,
                          140, 143, 147, 150, 154, 158, 162, 165, 169, 174, 178, 182, 187, 191,
                          196, 200, 205, 210, 215, 221, 226, 232, 237, 243, 249, 255, 261, 267,
                          274, 280, 287, 294, 301, 309, 316, 324, 332, 340, 348, 357, 365, 374,
                          383, 392, 402, 412, 422, 432, 442, 453, 464, 475, 487, 499, 511, 523,
                          536, 549, 562, 576, 590, 604, 619, 634, 649, 665, 681, 698, 715, 732,
                          750, 768, 787, 806, 825, 845, 866, 887, 909, 931, 953, 976};

bool Usable(double x, Series series) {
  return series != Series::Continuous && std::isfinite(x) && x > 0;
}

// mantissa · 10^exponent, rounded once: 10^k is exact in a double for the
// exponents parts have, and dividing by it keeps 1.8 nF the double nearest
// to 1.8e-9.
double Scaled(int mantissa, int exponent) {
  return exponent >= 0 ? mantissa * std::pow(10.0, exponent) : mantissa / std::pow(10.0, -exponent);
}

// The series' values from the decade below x's to the one above, ascending.
std::vector<double> ValuesAround(double x, Series series) {
  const std::span<const int> m = Mantissas(series);
  const int digits = m.front() >= 100 ? 2 : 1;  // 10 → 1.0, 100 → 1.00
  const int decade = static_cast<int>(std::floor(std::log10(x)));
  std::vector<double> values;
  values.reserve(3 * m.size() + 1);
  for (int d = decade - 1; d <= decade + 1; ++d)
    for (int mantissa : m)
      values.push_back(Scaled(mantissa, d - digits));
  values.push_back(Scaled(m.front(), decade + 2 - digits));
  return values;
}

double Distance(double v, double x) {
  return std::abs(std::log(v / x));
}

}  // namespace

std::string_view SeriesName(Series series) {
  switch (series) {
    case Series::Continuous:
      return "continua";
    case Series::E6:
      return "E6";
    case Series::E12:
      return "E12";
    case Series::E24:
      return "E24";
    case Series::E48:
      return "E48";
    case Series::E96:
      return "E96";
  }
  return {};
}

std::optional<Series> ParseSeries(std::string_view name) {
  for (Series s :
       {Series::Continuous, Series::E6, Series::E12, Series::E24, Series::E48, Series::E96})
    if (SeriesName(s) == name) return s;
  return std::nullopt;
}

std::span<const int> Mantissas(Series series) {
  switch (series) {
    case Series::Continuous:
      return {};
    case Series::E6:
      return kE6;
    case Series::E12:
      return kE12;
    case Series::E24:
      return kE24;
    case Series::E48:
      return kE48;
    case Series::E96:
      return kE96;
  }
  return {};
}

double Nearest(double x, Series series) {
  if (!Usable(x, series)) return x;
  double best = x;
  double distance = INFINITY;
  for (double v : ValuesAround(x, series)) {
    const double d = Distance(v, x);
    if (d <= distance) {
      best = v;
      distance = d;
    }
  }
  return best;
}

double AtOrAbove(double x, Series series) {
  if (!Usable(x, series)) return x;
  for (double v : ValuesAround(x, series))
    if (v >= x) return v;
  return x;  // unreachable: the list ends a decade above x
}

std::optional<Pair> BestParallelPair(double x, Series series) {
  if (!Usable(x, series)) return std::nullopt;
  std::optional<Pair> best;
  double distance = INFINITY;
  for (double a : ValuesAround(x, series)) {
    if (a >= x) continue;
    // For this a, the best b is one of the two series values around x − a,
    // however many decades below x that lies; b ≤ a keeps each pair once.
    const double rest = x - a;
    const std::vector<double> around = ValuesAround(rest, series);
    for (std::size_t j = 1; j < around.size(); ++j) {
      if (around[j] < rest && j + 1 < around.size()) continue;
      for (double b : {around[j - 1], around[j]}) {
        if (b > a) continue;
        const double d = Distance(a + b, x);
        if (d < distance) {
          best = Pair{a, b, a + b};
          distance = d;
        }
      }
      break;
    }
  }
  return best;
}

}  // namespace classe::parts
