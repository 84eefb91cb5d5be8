// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "ui/form_window.h"

namespace classe {

// The final circuit window: the schematic of the load's case, every component
// value, the verification and "Esci". Modeless and without owner; closing it
// unloads it, so the next run starts from this initial state again.
class Form3 : public FormWindow {
  Q_OBJECT

 public:
  explicit Form3(QWidget* parent = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Label6 is read out as "L [µH]" or "LF [µH]" after the caption shown.
  void describeInductorValue();
};

}  // namespace classe
