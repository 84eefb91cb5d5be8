// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QPointF>
#include <span>

#include "actions/controls.h"

namespace classe {

// A picture box with a user coordinate system and retained drawing, as the
// actions see it. The graph window's plot area and caption strip are ones.
class PlotSurface {
 public:
  virtual ~PlotSurface() = default;
  virtual void setScale(const PlotScale& scale) = 0;
  virtual const PlotScale& scale() const = 0;
  // Erases everything drawn.
  virtual void clear() = 0;
  // One-pixel line in the foreground colour.
  virtual void drawLine(PlotPoint from, PlotPoint to) = 0;
  virtual void drawPolyline(std::span<const PlotPoint> points, Rgb colour) = 0;
  // Logical pixel of a point in user units, inside the surface.
  virtual QPointF toPixels(double x, double y) const = 0;
};

}  // namespace classe
