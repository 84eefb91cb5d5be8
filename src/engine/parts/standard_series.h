// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace classe::parts {

// The preferred-number series parts are sold in (IEC 60063), or none: the
// design's own value, as bought by winding or trimming it.
enum class Series { Continuous, E6, E12, E24, E48, E96 };

// "E6" … "E96", "continua".
std::string_view SeriesName(Series series);
std::optional<Series> ParseSeries(std::string_view name);

// The mantissas of one decade: 2-digit (10…91) up to E24, 3-digit (100…976)
// for E48 and E96. Empty for Continuous.
std::span<const int> Mantissas(Series series);

// The series' value nearest to x by ratio (|ln(v/x)| least; a tie, which the
// series' spacing makes a geometric midpoint, goes to the larger value). x
// itself when continuous or not positive and finite.
double Nearest(double x, Series series);

// The smallest series value at or above x: a choke's reactance may exceed its
// design, never fall short of it.
double AtOrAbove(double x, Series series);

// Two values of a series in parallel (capacitors add): the pair nearest to x
// by ratio, and the pair's value a + b.
struct Pair {
  double a = 0;  // the larger
  double b = 0;
  double value = 0;
};

// For capacitors: each part of a parallel pair is below x (a part and a
// crumb beside it is no pair). Nothing when continuous or x is not positive
// and finite.
std::optional<Pair> BestParallelPair(double x, Series series);

// Relative error of a value bought against the design's: v/x − 1.
inline double RelativeError(double bought, double design) {
  return bought / design - 1;
}

}  // namespace classe::parts
