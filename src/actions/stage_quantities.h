// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <string_view>

#include "engine/statistics/stage_figures.h"

namespace classe {

// A figure of the stage as the analysis windows show it: its caption with
// the unit, the factor from its SI value or fraction to that unit, and where
// the figures hold it.
struct StageQuantity {
  std::string_view caption;
  std::string_view name;  // in a read-out line
  std::string_view unit;
  double scale;
  double statistics::StageFigures::*figure;
  // The narrowest range a plot of it spans, in its unit: changes below this
  // are the integration's last digits, not the stage's.
  double resolution;
};

// In the order of the tables, the histograms and the sweep's strips.
inline constexpr std::array<StageQuantity, 5> kStageQuantities{{
    {"Po [W]", "Po", "W", 1, &statistics::StageFigures::Po, 0.2},
    {"rendimento [%]", "rendimento", "%", 100, &statistics::StageFigures::efficiency, 0.2},
    {"picco sul drain [V]", "picco sul drain", "V", 1, &statistics::StageFigures::vPeak, 0.2},
    {"picco nello switch [A]", "picco nello switch", "A", 1, &statistics::StageFigures::iSwitchPeak,
     0.02},
    {"Von [% del picco]", "Von", "% del picco", 100, &statistics::StageFigures::vonFraction, 0.2},
}};

}  // namespace classe
