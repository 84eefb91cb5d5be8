// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "ui/form_window.h"

namespace classe {

// "Componenti commerciali": the series the parts are bought in, the parts
// as bought with what each must stand, the retune that restores the design,
// the sensitivities and the bench guide. Esc closes it, as its "Esci" does.
class Form5 : public FormWindow {
  Q_OBJECT

 public:
  explicit Form5(QWidget* parent = nullptr);

  // While a computation runs: the busy bar shown, "Calcola" and the export
  // disabled, "Interrompi" enabled.
  void setComputing(bool running);
};

}  // namespace classe
