// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "engine/plot/polyline_envelope.h"

namespace classe {
namespace {

// The plot's units on an area of 907 × 592 pixels.
const PlotMapping kPlot{{0, 100, 105, 0}, 907, 592};

TEST(PlotMapping, CornersOfTheScaleAreCornersOfTheArea) {
  // A scale that starts neither at 0 nor at the top-left: x 10…60 left to
  // right, y 100…0 top to bottom, on 200 × 50 pixels.
  const PlotMapping shifted{{10, 100, 60, 0}, 200, 50};
  EXPECT_EQ(shifted.pixelX(10), 0);
  EXPECT_EQ(shifted.pixelX(60), 200);
  EXPECT_EQ(shifted.pixelX(35), 100);
  EXPECT_EQ(shifted.pixelY(100), 0);
  EXPECT_EQ(shifted.pixelY(0), 50);
  EXPECT_EQ(shifted.pixelY(20), 40);
  EXPECT_EQ(shifted.unitsX(50), 22.5);
  EXPECT_EQ(shifted.unitsY(10), 80);
  EXPECT_NEAR(kPlot.unitsY(kPlot.pixelY(59.7)), 59.7, 1e-12);
  EXPECT_NEAR(kPlot.unitsX(kPlot.pixelX(79.5)), 79.5, 1e-12);
  EXPECT_TRUE(shifted.valid());
  EXPECT_FALSE((PlotMapping{{0, 100, 0, 0}, 907, 592}).valid());
  EXPECT_FALSE((PlotMapping{{0, 100, 105, 100}, 907, 592}).valid());
  EXPECT_FALSE((PlotMapping{{0, 100, 105, 0}, 0, 592}).valid());
  EXPECT_TRUE((PlotMapping{{0, 100, 105, 0}, 1, 1}).valid());  // a single pixel still maps
}

TEST(PolylineEnvelope, KeepsEveryCornerOfASparsePolyline) {
  std::vector<PlotPoint> points;
  for (int j = 0; j <= 8; ++j)
    points.push_back({12.5f * static_cast<float>(j), j % 2 ? 98.f : 80.f});
  const PolylineEnvelope line = TraceEnvelope(points, kPlot);
  ASSERT_EQ(line.pieces(), 1u);
  ASSERT_EQ(line.points.size(), points.size());
  for (std::size_t j = 0; j < points.size(); ++j)
    EXPECT_EQ(line.points[j], (PixelPoint{kPlot.pixelX(points[j].x), kPlot.pixelY(points[j].y)}));
}

TEST(PolylineEnvelope, ReducesEachColumnToItsEndsAndExtremes) {
  // A million points of a fast oscillation: at most four a column, in the
  // curve's order, with both ends and the extremes of the whole curve.
  std::vector<PlotPoint> points;
  for (int j = 0; j <= 1000000; ++j) {
    const double t = j / 10000.0;
    points.push_back({static_cast<float>(t), static_cast<float>(50 + 30 * std::sin(7 * t))});
  }
  const PolylineEnvelope line = TraceEnvelope(points, kPlot);
  ASSERT_EQ(line.pieces(), 1u);
  EXPECT_LE(line.points.size(), 4u * 865);
  EXPECT_EQ(line.points.front().x, 0);
  EXPECT_EQ(line.points.back().x, kPlot.pixelX(100));
  EXPECT_TRUE(std::is_sorted(line.points.begin(), line.points.end(),
                             [](PixelPoint a, PixelPoint b) { return a.x < b.x; }));
  auto byY = [](auto a, auto b) { return a.y < b.y; };
  const auto [low, high] = std::minmax_element(points.begin(), points.end(), byY);
  const auto [top, bottom] = std::minmax_element(line.points.begin(), line.points.end(), byY);
  EXPECT_EQ(top->y, kPlot.pixelY(high->y));
  EXPECT_EQ(bottom->y, kPlot.pixelY(low->y));
  // A vertical run on a column's left edge is one column too.
  const std::vector<PlotPoint> vertical{{0, 10}, {0, 90}, {0, 50}, {0, 20}, {0, 60}};
  EXPECT_LT(TraceEnvelope(vertical, kPlot).points.size(), vertical.size());
  // Column by column: the first, last, lowest and highest point of the
  // curve there are kept.
  for (int column : {0, 1, 300, 862, 863}) {
    double first = NAN, last = NAN, lowest = INFINITY, highest = -INFINITY;
    for (const PlotPoint& p : points) {
      if (static_cast<int>(std::floor(kPlot.pixelX(p.x))) != column) continue;
      const double y = kPlot.pixelY(p.y);
      if (std::isnan(first)) first = y;
      last = y;
      lowest = std::min(lowest, y);
      highest = std::max(highest, y);
    }
    std::vector<double> kept;
    for (const PixelPoint& p : line.points) {
      if (static_cast<int>(std::floor(p.x)) == column) kept.push_back(p.y);
    }
    ASSERT_FALSE(kept.empty()) << column;
    EXPECT_EQ(kept.front(), first) << column;
    EXPECT_EQ(kept.back(), last) << column;
    EXPECT_EQ(*std::min_element(kept.begin(), kept.end()), lowest) << column;
    EXPECT_EQ(*std::max_element(kept.begin(), kept.end()), highest) << column;
  }
}

TEST(PolylineEnvelope, AnUndrawablePointCutsTheLine) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::vector<PlotPoint> points{{0, 50}, {10, 60}, {20, nan}, {30, 50}, {40, 40}, {50, nan}};
  const PolylineEnvelope line = TraceEnvelope(points, kPlot);
  // The segments touching a NaN are left out.
  ASSERT_EQ(line.pieces(), 2u);
  EXPECT_EQ(line.piece(0).size(), 2u);
  ASSERT_EQ(line.piece(1).size(), 2u);
  EXPECT_EQ(line.piece(1)[0].x, kPlot.pixelX(30));
  // A window with no pixels to draw in, or a lone point, draws nothing.
  EXPECT_EQ(TraceEnvelope(points, PlotMapping{kPlot.scale, 0, 592}).pieces(), 0u);
  EXPECT_EQ(TraceEnvelope(std::span(points).first(1), kPlot).pieces(), 0u);
}

TEST(PolylineEnvelope, ClipsFarPointsAlongTheSameLine) {
  // A curve scaled by a tiny maximum shoots off the area: the pen gets the
  // visible part of each segment, up to just outside the area.
  const std::vector<PlotPoint> points{{10, 50}, {11, 3e38f}, {12, 50}, {13, 50}};
  const PolylineEnvelope line = TraceEnvelope(points, kPlot, 4);
  ASSERT_EQ(line.pieces(), 2u);
  ASSERT_EQ(line.piece(0).size(), 2u);
  EXPECT_EQ(line.piece(0)[1].y, -4);
  EXPECT_NEAR(line.piece(0)[1].x, kPlot.pixelX(10), 1e-9);
  ASSERT_EQ(line.piece(1).size(), 3u);
  EXPECT_EQ(line.piece(1)[0].y, -4);
  EXPECT_NEAR(line.piece(1)[0].x, kPlot.pixelX(12), 1e-9);
  // A segment that leaves through the top halfway keeps its slope.
  const std::vector<PlotPoint> steep{{10, 50}, {60, 150}};
  const PolylineEnvelope top = TraceEnvelope(steep, kPlot, 4);
  const double run = (kPlot.pixelX(60) - kPlot.pixelX(10)) / (kPlot.pixelY(150) - kPlot.pixelY(50));
  EXPECT_EQ(top.points.back().y, -4);
  EXPECT_NEAR(top.points.back().x, kPlot.pixelX(10) + (-4 - kPlot.pixelY(50)) * run, 1e-9);
  const std::vector<PlotPoint> outside{{0, 200}, {100, 300}};
  EXPECT_EQ(TraceEnvelope(outside, kPlot).pieces(), 0u);
  // Off the left and right edges too, along the same line: from (−105, 0)
  // to (210, 100) crosses the widened area's sides at its own heights.
  const std::vector<PlotPoint> across{{-105, 0}, {210, 100}};
  const PolylineEnvelope sides = TraceEnvelope(across, kPlot, 4);
  ASSERT_EQ(sides.points.size(), 2u);
  EXPECT_EQ(sides.points[0].x, -4);
  EXPECT_EQ(sides.points[1].x, 907 + 4);
  const double slope =
      (kPlot.pixelY(100) - kPlot.pixelY(0)) / (kPlot.pixelX(210) - kPlot.pixelX(-105));
  EXPECT_NEAR(sides.points[0].y, kPlot.pixelY(0) + slope * (-4 - kPlot.pixelX(-105)), 1e-9);
  EXPECT_NEAR(sides.points[1].y, kPlot.pixelY(0) + slope * (911 - kPlot.pixelX(-105)), 1e-9);
}

}  // namespace
}  // namespace classe
