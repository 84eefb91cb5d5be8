// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/plot/polyline_envelope.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace classe {
namespace {

// Builds the pieces from the reduced points: clips each segment to the
// widened area and starts a new piece wherever the line leaves it or breaks.
class PieceBuilder {
 public:
  PieceBuilder(PolylineEnvelope& out, double left, double top, double right, double bottom)
      : out_(out), left_(left), top_(top), right_(right), bottom_(bottom) {}

  void add(PixelPoint p) {
    if (!hasPrevious_) {
      previous_ = p;
      hasPrevious_ = true;
      return;
    }
    PixelPoint from = previous_;
    PixelPoint to = p;
    if (!clip(from, to)) {
      closePiece();
    } else {
      // A clipped start begins a new piece; a clipped end closes one.
      if (!open_ || !(from == previous_)) {
        closePiece();
        out_.points.push_back(from);
        open_ = true;
      }
      out_.points.push_back(to);
      if (!(to == p)) closePiece();
    }
    previous_ = p;
  }

  // A point that cannot be drawn: the line stops before it and starts again
  // after it.
  void breakLine() {
    closePiece();
    hasPrevious_ = false;
  }

  void finish() { closePiece(); }

 private:
  enum Outside { kLeft = 1, kRight = 2, kTop = 4, kBottom = 8 };

  int outside(PixelPoint p) const {
    return (p.x < left_ ? kLeft : 0) | (p.x > right_ ? kRight : 0) | (p.y < top_ ? kTop : 0) |
           (p.y > bottom_ ? kBottom : 0);
  }

  // Cohen–Sutherland: moves the ends that lie outside onto the border along
  // the segment; false when nothing of it is inside. The crossing is set on
  // the border exactly and its other coordinate found from the slope, which
  // stays precise when the far end is astronomically far.
  bool clip(PixelPoint& a, PixelPoint& b) const {
    for (int step = 0; step < 8; ++step) {
      const int codeA = outside(a);
      const int codeB = outside(b);
      if ((codeA | codeB) == 0) return true;
      if ((codeA & codeB) != 0) return false;
      PixelPoint& far = codeA ? a : b;
      const PixelPoint& other = codeA ? b : a;
      const int code = codeA ? codeA : codeB;
      if (code & (kTop | kBottom)) {
        const double y = (code & kTop) ? top_ : bottom_;
        far = {other.x + (y - other.y) * ((far.x - other.x) / (far.y - other.y)), y};
      } else {
        const double x = (code & kLeft) ? left_ : right_;
        far = {x, other.y + (x - other.x) * ((far.y - other.y) / (far.x - other.x))};
      }
    }
    return false;
  }

  void closePiece() {
    if (!open_) return;
    const std::size_t begin = out_.pieceEnds.empty() ? 0 : out_.pieceEnds.back();
    if (out_.points.size() - begin >= 2) {
      out_.pieceEnds.push_back(out_.points.size());
    } else {
      out_.points.resize(begin);
    }
    open_ = false;
  }

  PolylineEnvelope& out_;
  double left_, top_, right_, bottom_;
  PixelPoint previous_;
  bool hasPrevious_ = false;
  bool open_ = false;
};

}  // namespace

PolylineEnvelope TraceEnvelope(std::span<const PlotPoint> points, const PlotMapping& mapping,
                               double margin) {
  PolylineEnvelope out;
  if (!mapping.valid() || points.size() < 2) return out;
  PieceBuilder pieces(out, -margin, -margin, mapping.width + margin, mapping.height + margin);
  // Which column a point falls in, by a product rather than the mapping's
  // division: at a column's edge the two may disagree in the last bit, which
  // moves a point to the neighbouring column and changes no pixel.
  const double left = mapping.scale.left;
  const double perUnit = mapping.width / (mapping.scale.right - mapping.scale.left);
  auto pixel = [&](std::size_t i) {
    return PixelPoint{mapping.pixelX(points[i].x), mapping.pixelY(points[i].y)};
  };
  const std::size_t n = points.size();
  std::size_t i = 0;
  while (i < n) {
    if (!std::isfinite(points[i].x) || !std::isfinite(points[i].y)) {
      pieces.breakLine();
      ++i;
      continue;
    }
    // A run of points in one column: only its first, its last and its two
    // vertical extremes can light a pixel that the others do not.
    const double column = std::floor((points[i].x - left) * perUnit);
    const double next = column + 1;
    const std::size_t first = i;
    std::size_t low = i;
    std::size_t high = i;
    float lowY = points[i].y;
    float highY = points[i].y;
    for (++i; i < n; ++i) {
      const double at = (points[i].x - left) * perUnit;
      const float y = points[i].y;
      if (!(at >= column && at < next) || !std::isfinite(y)) break;
      if (y < lowY) {
        lowY = y;
        low = i;
      } else if (y > highY) {
        highY = y;
        high = i;
      }
    }
    std::array<std::size_t, 4> kept{first, std::min(low, high), std::max(low, high), i - 1};
    pieces.add(pixel(kept[0]));
    for (std::size_t k = 1; k < kept.size(); ++k)
      if (kept[k] != kept[k - 1]) pieces.add(pixel(kept[k]));
  }
  pieces.finish();
  return out;
}

}  // namespace classe
