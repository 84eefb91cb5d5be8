// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <random>

namespace classe::statistics {

// How a part's value spreads about its nominal one within its tolerance t.
enum class Distribution {
  Uniform,  // x·(1 + t·u), u uniform on [−1, 1]
  Normal,   // x·(1 + t/3·z), z standard normal: t is three standard deviations
};

// A 64-bit mix with no fixed structure left (Steele, Lea, Flood's SplitMix64).
std::uint64_t SplitMix64(std::uint64_t x);

// The generator of one build: its numbers depend on the seed and the build's
// index only, so that a run gives the same builds on any number of threads.
std::mt19937_64 BuildGenerator(std::uint64_t seed, std::uint64_t index);

// One value's factor (1 + deviation) for tolerance 0 ≤ t < 1. One uniform is
// drawn even for t = 0, so that a part's draw does not depend on the other
// parts' tolerances. A normal draw that would leave the value at or below
// zero is drawn again: a part's value is never zero or negative.
double DrawFactor(std::mt19937_64& generator, double tolerance, Distribution distribution);

}  // namespace classe::statistics
