#pragma once

#include <functional>

#include "app/form_window.h"

namespace classe {

// The graph window: the four waveforms in their strips, the axis captions,
// the cursor read-out and "Esci".
class Form2 : public FormWindow {
  Q_OBJECT

 public:
  explicit Form2(QWidget* parent = nullptr);

  // Every mouse move over the plot area, in plot units.
  void onPlotMouseMove(std::function<void(float x, float y)> handler);
};

}  // namespace classe
