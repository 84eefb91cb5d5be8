#include "matching/form3.h"

namespace classe {

// Placeholder until the final circuit window is laid out.
Form3::Form3(QWidget* parent) : FormWindow(Window::Form3, parent) {
  setWindowTitle("Form3");
  static const ControlSpec layout[] = {
      {.name = "Command1",
       .kind = ControlKind::Button,
       .text = "\" Verifica \"",
       .left = 12915,
       .top = 3255,
       .width = 1275,
       .height = 435},
      {.name = "Command2",
       .kind = ControlKind::Button,
       .text = "Esci",
       .left = 13125,
       .top = 5250,
       .width = 1275,
       .height = 540},
  };
  build(layout, {255, 192, 128}, 15360, 6825);
}

}  // namespace classe
