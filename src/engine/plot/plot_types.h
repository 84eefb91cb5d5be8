// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

namespace classe {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A point in a picture box's own units; drawing takes single precision.
struct PlotPoint {
  float x = 0;
  float y = 0;
  friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};

// A picture box's coordinate system, given by the user units of its top-left
// and bottom-right inner corners.
struct PlotScale {
  double left = 0;
  double top = 0;
  double right = 1;
  double bottom = 1;
  friend bool operator==(const PlotScale&, const PlotScale&) = default;
};

}  // namespace classe
