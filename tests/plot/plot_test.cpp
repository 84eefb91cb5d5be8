#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "plot/polyline_envelope.h"

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
  const std::vector<PlotPoint> outside{{0, 200}, {100, 300}};
  EXPECT_EQ(TraceEnvelope(outside, kPlot).pieces(), 0u);
}

}  // namespace
}  // namespace classe
