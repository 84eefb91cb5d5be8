// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>

#include "ui/form_window.h"

namespace classe {

class PlotArea;

// The graph window: the four waveforms in their strips, the axis captions,
// the cursor read-out and "Esci".
class Form2 : public FormWindow {
  Q_OBJECT

 public:
  explicit Form2(QWidget* parent = nullptr);

  // Every mouse move over the plot area, in plot units.
  void onPlotMouseMove(std::function<void(float x, float y)> handler);
  // "Salva immagine…" from the context menu of the plot or its captions.
  void onSaveImage(std::function<void()> handler);
  // The plot and its caption strip, borders included, in the client area.
  QRect plotRegion() const;

  PlotSurface* surface(std::string_view picture) override;

 protected:
  QWidget* createPicture(const ControlSpec& item, QWidget* parent) override;
  double textPointSize() const override { return 8; }

 private:
  PlotArea* plot_ = nullptr;     // Picture1
  PlotArea* caption_ = nullptr;  // Picture3
};

}  // namespace classe
