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

  PlotSurface* surface(std::string_view picture) override;

 protected:
  QWidget* createPicture(const ControlSpec& item, QWidget* parent) override;
  double textPointSize() const override { return 8; }

 private:
  PlotArea* plot_ = nullptr;     // Picture1
  PlotArea* caption_ = nullptr;  // Picture3
};

}  // namespace classe
