// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/statistics/draws.h"

#include <cmath>
#include <numbers>

namespace classe::statistics {
namespace {

// Uniform on [0, 1) from the top 53 bits: the library's distributions may
// differ between implementations, this may not.
double Unit(std::mt19937_64& g) {
  return static_cast<double>(g() >> 11) * 0x1.0p-53;
}

// Standard normal by Box–Muller, one of the pair: a build draws a fixed
// count of numbers whatever the distribution.
double StandardNormal(std::mt19937_64& g) {
  const double u1 = 1 - Unit(g);  // (0, 1]: the logarithm stays finite
  const double u2 = Unit(g);
  return std::sqrt(-2 * std::log(u1)) * std::cos(2 * std::numbers::pi * u2);
}

}  // namespace

std::uint64_t SplitMix64(std::uint64_t x) {
  x += 0x9e3779b97f4a7c15ULL;
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
  return x ^ (x >> 31);
}

std::mt19937_64 BuildGenerator(std::uint64_t seed, std::uint64_t index) {
  return std::mt19937_64(SplitMix64(SplitMix64(seed) ^ index));
}

double DrawFactor(std::mt19937_64& g, double t, Distribution distribution) {
  if (distribution == Distribution::Uniform) return 1 + t * (2 * Unit(g) - 1);
  for (;;) {
    const double factor = 1 + t / 3 * StandardNormal(g);
    if (factor > 0) return factor;
  }
}

}  // namespace classe::statistics
