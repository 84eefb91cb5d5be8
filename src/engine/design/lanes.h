// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <cstring>

namespace classe {

// Four doubles handled as one value (GCC vector extension): the sampling loop
// evaluates four angles at once. Arithmetic, comparisons and `mask ? a : b`
// read the same as for a double, so one template serves both.
using Lanes = double __attribute__((vector_size(32)));
using LaneBits = std::uint64_t __attribute__((vector_size(32)));

inline constexpr int kLaneCount = 4;

// The unsigned integer of a value's width, to look at its bits.
template <class T>
struct BitsOf {
  using type = std::uint64_t;
};
template <>
struct BitsOf<Lanes> {
  using type = LaneBits;
};

inline Lanes LoadLanes(const double* p) {
  Lanes v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// By reference: the AVX clone of the sampling loop calls it, and a vector
// passed by value between code built with and without AVX changes the ABI.
inline void StoreLanes(double* p, const Lanes& v) {
  std::memcpy(p, &v, sizeof v);
}

}  // namespace classe
