// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cmath>

#include "engine/plot/plot_types.h"

namespace classe {

// A picture box's user units against its inner area of `width` × `height`
// pixels (logical or device). Pixel coordinates are continuous: the area spans
// [0, width] × [0, height] and pixel column c covers [c, c + 1). The plot's
// units give column x·W/105 and row (100 − y)·H/100, in that order of
// operations.
struct PlotMapping {
  PlotScale scale;
  double width = 1;
  double height = 1;

  // False when the scale has no extent or the area no pixels: then nothing
  // maps, and a caller draws nothing and reports no position.
  bool valid() const {
    const double spanX = scale.right - scale.left;
    const double spanY = scale.bottom - scale.top;
    return std::isfinite(spanX) && std::isfinite(spanY) && spanX != 0 && spanY != 0 && width > 0 &&
           height > 0;
  }

  double pixelX(double x) const { return (x - scale.left) * width / (scale.right - scale.left); }
  double pixelY(double y) const { return (y - scale.top) * height / (scale.bottom - scale.top); }
  double unitsX(double px) const { return scale.left + px * (scale.right - scale.left) / width; }
  double unitsY(double py) const { return scale.top + py * (scale.bottom - scale.top) / height; }
};

}  // namespace classe
