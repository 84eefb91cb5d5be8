// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "windows/analysis/analysis_window.h"

#include <QFrame>

#include "ui/plot_area.h"

namespace classe {
namespace {

constexpr int kBorderPixels = 2;

}  // namespace

AnalysisWindow::AnalysisWindow(Window id, RunControls run, QWidget* parent)
    : FormWindow(id, parent), run_(run) {
  closeOnEscape();
}

void AnalysisWindow::framePlots(std::span<const std::pair<Control, const char*>> names) {
  for (const auto& [picture, name] : names) {
    PlotArea* plot = plots_.at(std::string(picture.name));
    auto* frame = new QFrame(clientArea());
    frame->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    frame->setLineWidth(kBorderPixels);
    frame->setGeometry(plot->geometry());
    frame->stackUnder(plot);
    plot->setGeometry(
        plot->geometry().adjusted(kBorderPixels, kBorderPixels, -kBorderPixels, -kBorderPixels));
    plot->setAccessibleName(QString::fromUtf8(name));
    // The captions inside a plot leave the mouse to it.
    for (QWidget* child : plot->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      child->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  setRunning(false);
}

QWidget* AnalysisWindow::createPicture(const ControlSpec& item, QWidget* parent) {
  auto* plot = new PlotArea(item.background, parent);
  plots_.emplace(std::string(item.name), plot);
  return plot;
}

PlotSurface* AnalysisWindow::surface(std::string_view picture) {
  const auto it = plots_.find(picture);
  return it == plots_.end() ? nullptr : it->second;
}

void AnalysisWindow::onPlotMouseMove(std::string_view picture,
                                     std::function<void(float, float)> handler) {
  const auto it = plots_.find(picture);
  if (it == plots_.end()) return;
  connect(it->second, &PlotArea::mouseMoved, this,
          [handler = std::move(handler)](float x, float y) { handler(x, y); });
}

void AnalysisWindow::onSaveImage(std::function<void()> handler) {
  for (const auto& [name, plot] : plots_)
    connect(plot, &PlotArea::saveImageRequested, this, [handler] { handler(); });
}

QRect AnalysisWindow::plotsRegion() const {
  QRect region;
  for (const auto& [name, plot] : plots_)
    region |=
        plot->geometry().adjusted(-kBorderPixels, -kBorderPixels, kBorderPixels, kBorderPixels);
  // The captions above and below the plots belong to the picture.
  return region.adjusted(0, -40, 0, 24);
}

void AnalysisWindow::setRunning(bool running) {
  for (Control c : run_.waiting)
    if (QWidget* w = control(c.name)) w->setEnabled(!running);
  if (QWidget* w = control(run_.stop.name)) w->setEnabled(running);
  setControlVisible(run_.bar.name, running);
}

void AnalysisWindow::setProgress(long long done, long long total) {
  FormWindow::setProgress(run_.bar.name, done, total);
}

}  // namespace classe
