// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <bit>
#include <cstdint>

#include "engine/design/lanes.h"

namespace classe {

// Sine and cosine for the waveform model, inline and branch-free so that the
// sampling loop runs four angles at a time without a library call. Arguments are angles of a few
// periods (|x| well below 2^20): reduced by multiples of π/2 with a
// three-part π/2, then Taylor polynomials to the 17th and 18th power, whose
// truncation error on |r| ≤ π/4 lies far below the last bit. Results agree
// with the C library to about one unit in the last place.
namespace trig_detail {

// π/2 split so that k·kPio2Hi is exact for the small k used here.
inline constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
inline constexpr double kPio2Hi = 0x1.921fb54400000p+0;    // first 33 bits of π/2
inline constexpr double kPio2Mid = 0x1.0b4611a600000p-34;  // next 33 bits
inline constexpr double kPio2Lo = 0x1.3198a2e037073p-69;   // the rest, to 53 bits
// Adding and removing 1.5·2^52 rounds to the nearest integer, ties to even.
inline constexpr double kRoundingShift = 6755399441055744.0;

template <class T>
struct Reduced {
  T r;                               // x − k·π/2, |r| ≤ π/4
  typename BitsOf<T>::type quarter;  // k mod 4 in the lowest two bits
};

template <class T>
inline Reduced<T> Reduce(T x) {
  const T shifted = x * kTwoOverPi + kRoundingShift;
  const T k = shifted - kRoundingShift;
  const T r = ((x - k * kPio2Hi) - k * kPio2Mid) - k * kPio2Lo;
  // The shifted value is the integer 2^52 + 2^51 + k, so its lowest mantissa
  // bits are k mod 4, for negative k too.
  return {r, std::bit_cast<typename BitsOf<T>::type>(shifted)};
}

template <class T>
inline T SinPoly(T r) {
  const T z = r * r;
  const T p =
      -1.0 / 6 +
      z * (1.0 / 120 +
           z * (-1.0 / 5040 + z * (1.0 / 362880 + z * (-1.0 / 39916800 +
                                                       z * (1.0 / 6227020800 +
                                                            z * (-1.0 / 1307674368000 +
                                                                 z * (1.0 / 355687428096000)))))));
  return r + r * z * p;
}

template <class T>
inline T CosPoly(T r) {
  const T z = r * r;
  const T p =
      1.0 / 24 +
      z * (-1.0 / 720 +
           z * (1.0 / 40320 +
                z * (-1.0 / 3628800 +
                     z * (1.0 / 479001600 +
                          z * (-1.0 / 87178291200 +
                               z * (1.0 / 20922789888000 + z * (-1.0 / 6402373705728000)))))));
  return 1 - 0.5 * z + z * z * p;
}

}  // namespace trig_detail

// Both polynomials are formed before the choice by quarter: no branch on the
// data, the same steps for a double and for four lanes.
template <class T>
inline T Sine(T x) {
  using namespace trig_detail;
  const Reduced<T> a = Reduce(x);
  const T s = SinPoly(a.r);
  const T c = CosPoly(a.r);
  const T v = (a.quarter & 1u) != 0 ? c : s;
  return (a.quarter & 2u) != 0 ? -v : v;
}

template <class T>
inline T Cosine(T x) {
  using namespace trig_detail;
  const Reduced<T> a = Reduce(x);
  const T s = SinPoly(a.r);
  const T c = CosPoly(a.r);
  const T v = (a.quarter & 1u) != 0 ? s : c;
  return ((a.quarter + 1u) & 2u) != 0 ? -v : v;
}

}  // namespace classe
