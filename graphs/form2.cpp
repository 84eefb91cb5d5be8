#include "graphs/form2.h"

namespace classe {

// Placeholder until the graph window is laid out.
Form2::Form2(QWidget* parent) : FormWindow(Window::Form2, parent) {
  setWindowTitle("Grafici dell'amplificatore in classe E");
  static const ControlSpec layout[] = {
      {.name = "Command1",
       .kind = ControlKind::Button,
       .text = "Esci",
       .left = 15645,
       .top = 8190,
       .width = 1275,
       .height = 435},
  };
  build(layout, {236, 233, 216}, 17955, 9900);
}

void Form2::onPlotMouseMove(std::function<void(float, float)>) {}

}  // namespace classe
