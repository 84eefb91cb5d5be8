// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "engine/plot/plot_mapping.h"
#include "engine/plot/plot_types.h"

namespace classe {

struct PixelPoint {
  double x = 0;
  double y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// A polyline in pixels, ready for a one-pixel pen, cut into pieces where it
// cannot be drawn. Piece k is points[pieceEnds[k − 1]] … points[pieceEnds[k] − 1]
// (from 0 for the first); every piece has at least two points.
struct PolylineEnvelope {
  std::vector<PixelPoint> points;
  std::vector<std::size_t> pieceEnds;

  std::size_t pieces() const { return pieceEnds.size(); }
  std::span<const PixelPoint> piece(std::size_t k) const {
    const std::size_t begin = k == 0 ? 0 : pieceEnds[k - 1];
    return std::span<const PixelPoint>(points).subspan(begin, pieceEnds[k] - begin);
  }
};

// The polyline through `points` (user units) as the pixels of `mapping` see
// it. Each run of consecutive points that fall in one pixel column is reduced
// to its first, lowest, highest and last point, in their order: a line drawn
// through those covers the same pixels of that column as one drawn through
// them all, and the segments between columns are kept as they are. A curve of
// ten million points across a thousand columns so becomes about four thousand.
//
// A point that is not finite ends a piece (it cannot be drawn, and the
// segments on either side of it are left out). Segments are clipped to the
// area widened by `margin` pixels on every side, so that the pen never sees
// coordinates far outside it.
PolylineEnvelope TraceEnvelope(std::span<const PlotPoint> points, const PlotMapping& mapping,
                               double margin = 4);

}  // namespace classe
