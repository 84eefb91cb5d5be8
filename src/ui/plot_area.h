// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QImage>
#include <QWidget>
#include <optional>
#include <span>
#include <vector>

#include "actions/controls.h"
#include "engine/plot/plot_mapping.h"
#include "engine/plot/polyline_envelope.h"
#include "ui/plot_surface.h"

namespace classe {

// A picture box with user units and retained drawing. What is drawn goes into
// an image of the widget's size in device pixels and stays there until the
// next clear; painting only copies that image, so covering, uncovering or
// resizing the window neither erases nor recomputes anything. Every mouse
// move over it (no button needed) is reported in user units.
class PlotArea : public QWidget, public PlotSurface {
  Q_OBJECT

 public:
  // Without a background the picture is transparent and the window's colour
  // shows through.
  explicit PlotArea(std::optional<Rgb> background = {}, QWidget* parent = nullptr);

  void setScale(const PlotScale& scale) override;
  const PlotScale& scale() const override { return scale_; }
  void clear() override;
  void drawLine(PlotPoint from, PlotPoint to) override;
  void drawPolyline(std::span<const PlotPoint> points, Rgb colour) override;
  QPointF toPixels(double x, double y) const override;

  // User units at a position in logical pixels; nothing while the scale is
  // degenerate.
  std::optional<PlotPoint> toUnits(QPointF position) const;
  // The drawing as retained, in device pixels.
  const QImage& image();
  // Width of a one-pixel line in device pixels: one logical pixel.
  int penWidth() const;

 signals:
  void mouseMoved(float x, float y);
  // "Salva immagine…" from the context menu.
  void saveImageRequested();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool event(QEvent* event) override;

 private:
  // Makes the image match the widget's size and pixel ratio, keeping what is
  // drawn at its place.
  void ensureImage();
  QColor fill() const;
  PlotMapping devicePixels() const;

  // What was drawn, kept as lines as well, so that an export as SVG gets
  // vectors rather than the retained pixels.
  struct Stroke {
    PolylineEnvelope line;  // in device pixels of `ratio`
    Rgb colour;
    qreal ratio;
  };
  void paintStrokes(QPainter& painter) const;

  std::optional<Rgb> background_;
  std::vector<Stroke> strokes_;
  Rgb foreground_ = {0, 0, 0};
  PlotScale scale_ = {};
  QImage image_;
};

}  // namespace classe
