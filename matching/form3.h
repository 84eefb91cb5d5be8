#pragma once

#include "app/form_window.h"

namespace classe {

// The final circuit window: the schematic of the load's case, every component
// value, the verification and "Esci".
class Form3 : public FormWindow {
  Q_OBJECT

 public:
  explicit Form3(QWidget* parent = nullptr);
};

}  // namespace classe
