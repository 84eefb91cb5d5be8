// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "ui/plot_area.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "engine/plot/polyline_envelope.h"
#include "engine/plot/single_precision.h"
#include "ui/qt_conversions.h"

namespace classe {
namespace {

// Label positions beyond this many pixels would not fit an int; nothing that
// far away can be seen anyway.
constexpr double kFarPixels = 1e6;

double Bounded(double pixels) {
  return std::isfinite(pixels) ? std::clamp(pixels, -kFarPixels, kFarPixels) : 0;
}

// Paints into the image in device pixels: while it is active the image
// reports a pixel ratio of 1, so the coordinates given are the pixels hit.
class DevicePainter {
 public:
  DevicePainter(QImage& image, Rgb colour, int width) : image_(image) {
    ratio_ = image.devicePixelRatio();
    image_.setDevicePixelRatio(1);
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(ToQColor(colour));
    pen.setWidth(width);
    pen.setCosmetic(true);
    // A line ends at its end point, also when it is more than one pixel wide.
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(pen);
  }
  ~DevicePainter() {
    painter_.end();
    image_.setDevicePixelRatio(ratio_);
  }
  DevicePainter(const DevicePainter&) = delete;
  DevicePainter& operator=(const DevicePainter&) = delete;

  void draw(const PolylineEnvelope& line) {
    std::vector<QPointF> points;
    for (std::size_t k = 0; k < line.pieces(); ++k) {
      const auto piece = line.piece(k);
      points.clear();
      for (const PixelPoint& p : piece)
        points.emplace_back(p.x, p.y);
      painter_.drawPolyline(points.data(), static_cast<int>(points.size()));
    }
  }

 private:
  QImage& image_;
  qreal ratio_ = 1;
  QPainter painter_;
};

}  // namespace

PlotArea::PlotArea(std::optional<Rgb> background, QWidget* parent)
    : QWidget(parent), background_(background) {
  setMouseTracking(true);
  // The image covers every pixel: nothing below needs painting first.
  setAttribute(Qt::WA_OpaquePaintEvent, background_.has_value());
}

void PlotArea::setScale(const PlotScale& scale) {
  scale_ = scale;
}

QColor PlotArea::fill() const {
  return background_ ? ToQColor(*background_) : QColor(Qt::transparent);
}

void PlotArea::ensureImage() {
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = (QSizeF(size()) * ratio).toSize();
  if (!image_.isNull() && image_.size() == pixels && image_.devicePixelRatio() == ratio) return;
  if (pixels.isEmpty()) {
    image_ = QImage();
    return;
  }
  QImage next(pixels, background_ ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
  next.setDevicePixelRatio(ratio);
  next.fill(fill());
  if (!image_.isNull()) {
    // What was drawn stays where it was; a larger area shows background
    // beyond it.
    QPainter painter(&next);
    painter.drawImage(QPointF(0, 0), image_);
  }
  image_ = std::move(next);
}

PlotMapping PlotArea::devicePixels() const {
  return {scale_, static_cast<double>(image_.width()), static_cast<double>(image_.height())};
}

int PlotArea::penWidth() const {
  return std::max(1, qRound(devicePixelRatioF()));
}

const QImage& PlotArea::image() {
  ensureImage();
  return image_;
}

void PlotArea::clear() {
  ensureImage();
  image_.fill(fill());
  strokes_.clear();
  update();
}

void PlotArea::drawLine(PlotPoint from, PlotPoint to) {
  const PlotPoint ends[] = {from, to};
  drawPolyline(ends, foreground_);
}

void PlotArea::drawPolyline(std::span<const PlotPoint> points, Rgb colour) {
  ensureImage();
  if (image_.isNull()) return;
  const PolylineEnvelope line = TraceEnvelope(points, devicePixels());
  if (line.pieces() == 0) return;
  DevicePainter(image_, colour, penWidth()).draw(line);
  strokes_.push_back({line, colour, image_.devicePixelRatio()});
  update();
}

QPointF PlotArea::toPixels(double x, double y) const {
  const PlotMapping mapping{scale_, static_cast<double>(width()), static_cast<double>(height())};
  if (!mapping.valid()) return {};
  return {Bounded(mapping.pixelX(x)), Bounded(mapping.pixelY(y))};
}

std::optional<PlotPoint> PlotArea::toUnits(QPointF position) const {
  const PlotMapping mapping{scale_, static_cast<double>(width()), static_cast<double>(height())};
  if (!mapping.valid()) return std::nullopt;
  return PlotPoint{ClampToFloat(mapping.unitsX(position.x())),
                   ClampToFloat(mapping.unitsY(position.y()))};
}

void PlotArea::paintEvent(QPaintEvent* event) {
  ensureImage();
  QPainter painter(this);
  painter.setClipRect(event->rect());
  if (painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::SVG) {
    paintStrokes(painter);
  } else {
    painter.drawImage(QPointF(0, 0), image_);
  }
}

void PlotArea::paintStrokes(QPainter& painter) const {
  if (background_) painter.fillRect(rect(), fill());
  for (const Stroke& stroke : strokes_) {
    QPen pen(ToQColor(stroke.colour));
    pen.setWidthF(1);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    std::vector<QPointF> points;
    for (std::size_t k = 0; k < stroke.line.pieces(); ++k) {
      points.clear();
      for (const PixelPoint& p : stroke.line.piece(k))
        points.emplace_back(p.x / stroke.ratio, p.y / stroke.ratio);
      painter.drawPolyline(points.data(), static_cast<int>(points.size()));
    }
  }
}

void PlotArea::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  connect(menu.addAction(QStringLiteral("Salva immagine…")), &QAction::triggered, this,
          &PlotArea::saveImageRequested);
  menu.exec(event->globalPos());
}

void PlotArea::mouseMoveEvent(QMouseEvent* event) {
  if (const auto units = toUnits(event->position())) emit mouseMoved(units->x, units->y);
  event->accept();
}

bool PlotArea::event(QEvent* event) {
  // A tooltip on display follows the read-out instead of keeping the text it
  // opened with.
  if (event->type() == QEvent::ToolTipChange && QToolTip::isVisible() && underMouse()) {
    if (toolTip().isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(QCursor::pos(), toolTip(), this);
    }
  }
  return QWidget::event(event);
}

}  // namespace classe
