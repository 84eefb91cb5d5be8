// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// The graph window offscreen: "Grafici" from the click to the plot painted,
// the drawing of the four curves alone (against Qt drawing every segment),
// and the cursor read-out per mouse move.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <vector>

#include "actions/curves.h"
#include "app/calculator.h"
#include "ui/plot_area.h"
#include "windows/graphs/form2.h"

namespace {

using classe::Curve;
using classe::Curves;
using classe::PlotPoint;

class SilentPresenter : public classe::MessagePresenter {
 public:
  void show(const QString&, bool) override {}
};

struct Program {
  SilentPresenter presenter;
  classe::Calculator calculator{&presenter};

  explicit Program(std::int64_t M) {
    calculator.mainWindow().show();
    qobject_cast<QLineEdit*>(calculator.mainWindow().control("Text9"))->setText(QString::number(M));
    QApplication::processEvents();
  }
  // Clicks "Grafici" and paints the graph window: what the user waits for.
  void graphs() {
    qobject_cast<QAbstractButton*>(calculator.mainWindow().control("Command4"))->click();
    form()->repaint();
  }
  classe::Form2* form() {
    return qobject_cast<classe::Form2*>(calculator.controls().existing(classe::Window::Form2));
  }
  classe::PlotArea* plot() { return form()->findChild<classe::PlotArea*>("Picture1"); }
};

// The pen of the plot: one logical pixel, ending at its end point.
QPen CurvePen(classe::Rgb c, int width) {
  QPen pen(QColor(c.r, c.g, c.b));
  pen.setWidth(width);
  pen.setCosmetic(true);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

double PeakRssMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024;
}

// The points the graph action hands to the plot for one curve.
std::vector<PlotPoint> CurvePoints(const classe::DesignState& s, const Curve& curve) {
  const classe::SampleArray& samples = s.*curve.samples;
  std::vector<PlotPoint> points(static_cast<std::size_t>(s.M) + 1);
  for (std::int32_t j = 0; j <= s.M; ++j) {
    const auto i = static_cast<std::size_t>(j);
    points[i] = {static_cast<float>(static_cast<double>(100 * std::int64_t{j}) / s.M),
                 static_cast<float>(curve.baseline + curve.gain * samples[i] / (s.*curve.maximum))};
  }
  return points;
}

void GraphAction(benchmark::State& state) {
  Program program(state.range(0));
  for (auto _ : state)
    program.graphs();
  state.counters["peak_rss_MB"] = PeakRssMegabytes();
}

// The four curves into the retained picture, as the envelope draws them.
void CurvesDrawn(benchmark::State& state) {
  Program program(state.range(0));
  program.graphs();
  std::vector<std::vector<PlotPoint>> curves;
  for (const Curve& curve : Curves())
    curves.push_back(CurvePoints(program.calculator.state(), curve));
  classe::PlotArea* plot = program.plot();
  for (auto _ : state) {
    plot->clear();
    for (std::size_t k = 0; k < curves.size(); ++k)
      plot->drawPolyline(curves[k], Curves()[k].colour);
  }
  // How the picture compares with Qt drawing every one of the segments.
  const QImage reduced = plot->image().copy();
  QImage every(reduced.size(), reduced.format());
  every.fill(QColor(255, 255, 192));
  QPainter painter(&every);
  const classe::PlotMapping pixels{plot->scale(), static_cast<double>(every.width()),
                                   static_cast<double>(every.height())};
  for (std::size_t k = 0; k < curves.size(); ++k) {
    painter.setPen(CurvePen(Curves()[k].colour, plot->penWidth()));
    std::vector<QPointF> device;
    for (const PlotPoint& p : curves[k])
      device.emplace_back(pixels.pixelX(p.x), pixels.pixelY(p.y));
    painter.drawPolyline(device.data(), static_cast<int>(device.size()));
  }
  painter.end();
  // Pixels that differ, and those with no pixel of their colour within one
  // pixel in the other picture (a curve moved or broken, not a pixel shifted).
  auto near = [](const QImage& im, int c, int r, QRgb colour) {
    for (int dr = -1; dr <= 1; ++dr)
      for (int dc = -1; dc <= 1; ++dc)
        if (im.valid(c + dc, r + dr) && im.pixel(c + dc, r + dr) == colour) return true;
    return false;
  };
  const QRgb background = qRgb(255, 255, 192);
  long differ = 0;
  long far = 0;
  long drawn = 0;
  for (int r = 0; r < every.height(); ++r) {
    for (int c = 0; c < every.width(); ++c) {
      const QRgb a = every.pixel(c, r);
      const QRgb b = reduced.pixel(c, r);
      drawn += a != background;
      if (a == b) continue;
      ++differ;
      far += a != background ? !near(reduced, c, r, a) : !near(every, c, r, b);
    }
  }
  state.counters["pixels_drawn"] = static_cast<double>(drawn);
  state.counters["pixels_differ"] = static_cast<double>(differ);
  state.counters["pixels_far"] = static_cast<double>(far);
}

// The reference: Qt's own polyline through every point, for the same curves.
void EverySegmentDrawnByQt(benchmark::State& state) {
  Program program(state.range(0));
  program.graphs();
  classe::PlotArea* plot = program.plot();
  QImage image = plot->image().copy();
  const classe::PlotMapping pixels{plot->scale(), static_cast<double>(image.width()),
                                   static_cast<double>(image.height())};
  std::vector<std::vector<QPointF>> curves;
  for (const Curve& curve : Curves()) {
    std::vector<QPointF> device;
    for (const PlotPoint& p : CurvePoints(program.calculator.state(), curve))
      device.emplace_back(pixels.pixelX(p.x), pixels.pixelY(p.y));
    curves.push_back(std::move(device));
  }
  for (auto _ : state) {
    image.fill(QColor(255, 255, 192));
    QPainter painter(&image);
    for (std::size_t k = 0; k < curves.size(); ++k) {
      painter.setPen(CurvePen(Curves()[k].colour, plot->penWidth()));
      painter.drawPolyline(curves[k].data(), static_cast<int>(curves[k].size()));
    }
  }
}

// One mouse move over the Vc1 strip: the selection, a full rescan of the
// samples, the two boxes, the other six emptied and the tooltip.
void CursorReadout(benchmark::State& state) {
  Program program(state.range(0));
  program.graphs();
  classe::PlotArea* plot = program.plot();
  int step = 0;
  for (auto _ : state) {
    const QPointF at(100 + step % 400, 20 + step % 50);
    QMouseEvent move(QEvent::MouseMove, at, plot->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(plot, &move);
    ++step;
  }
}

BENCHMARK(GraphAction)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(CurvesDrawn)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(EverySegmentDrawnByQt)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(CursorReadout)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
