// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "windows/analysis/analysis_window.h"

namespace classe {

// "Analisi parametrica": one input of the stage as built swept over a range,
// and Po, the efficiency, the drain and switch peaks and the turn-on voltage
// against it, each in its strip.
class Form7 : public AnalysisWindow {
  Q_OBJECT

 public:
  explicit Form7(QWidget* parent = nullptr);
};

}  // namespace classe
