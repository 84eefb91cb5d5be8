// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QRect>
#include <functional>
#include <map>
#include <span>
#include <string>

#include "ui/form_window.h"

namespace classe {

class PlotArea;

// What the tolerance and the sweep window share: plots with a sunken border
// that report the mouse, a run in the background with its bar, and Esc to
// close, as their "Esci" does.
class AnalysisWindow : public FormWindow {
  Q_OBJECT

 public:
  PlotSurface* surface(std::string_view picture) override;
  // Every mouse move over that plot, in its units.
  void onPlotMouseMove(std::string_view picture, std::function<void(float x, float y)> handler);
  // "Salva immagine…" from a plot's context menu.
  void onSaveImage(std::function<void()> handler);
  // The plots with their borders and what is around them, in the client area.
  QRect plotsRegion() const;

  // While a run is under way the bar shows and "Calcola" and the exports
  // wait; only "Interrompi" is enabled.
  void setRunning(bool running);
  void setProgress(long long done, long long total);

 protected:
  // The buttons that wait during a run, the one that stops it, and the bar.
  struct RunControls {
    std::span<const Control> waiting;
    Control stop;
    Control bar;
  };
  AnalysisWindow(Window id, RunControls run, QWidget* parent = nullptr);

  // After build(): every plot gets its border and its accessible name.
  void framePlots(std::span<const std::pair<Control, const char*>> names);

  QWidget* createPicture(const ControlSpec& item, QWidget* parent) override;

 private:
  RunControls run_;
  std::map<std::string, PlotArea*, std::less<>> plots_;
};

}  // namespace classe
