// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "windows/analysis/analysis_window.h"

namespace classe {

// "Analisi delle tolleranze": the tolerances by part kind, how many builds
// and the bands; the spread of the figures over the builds, the yields and
// the histograms of Po, the efficiency and the drain peak.
class Form6 : public AnalysisWindow {
  Q_OBJECT

 public:
  explicit Form6(QWidget* parent = nullptr);
};

}  // namespace classe
