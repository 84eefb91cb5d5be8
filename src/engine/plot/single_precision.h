// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>

namespace classe {

// Plot coordinates travel as floats. Converting a double beyond the float
// range is undefined, so each conversion says what happens there instead.

// Beyond the float range: ±∞ and the overflow flag raised, so that the
// caller's fault check reports it like any other overflow.
inline float ToFloatOrOverflow(double value) {
  if (std::fabs(value) > std::numeric_limits<float>::max()) {
    std::feraiseexcept(FE_OVERFLOW);
    return value > 0 ? std::numeric_limits<float>::infinity()
                     : -std::numeric_limits<float>::infinity();
  }
  return static_cast<float>(value);
}

// Beyond the float range: the largest float of that sign, no flag. For
// positions that are reported, never computed with.
inline float ClampToFloat(double value) {
  constexpr double kMax = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(value, -kMax, kMax));
}

}  // namespace classe
