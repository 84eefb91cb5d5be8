// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/statistics/stage_figures.h"

#include <cmath>
#include <exception>

#include "engine/circuit/ratings.h"
#include "engine/circuit/steady_state.h"
#include "engine/design/fault.h"

namespace classe::statistics {

std::optional<StageFigures> FiguresOf(const circuit::Stage& stage) {
  const PreservedFpFlags keep;
  try {
    if (circuit::CheckStage(stage)) return std::nullopt;
    const auto steady = circuit::SolveSteadyState(stage);
    if (!steady) return std::nullopt;
    const auto switchPeak = circuit::SwitchCurrentPeak(stage);
    if (!switchPeak) return std::nullopt;
    StageFigures f{steady->power.load, steady->efficiency, steady->vPeak, *switchPeak,
                   steady->vonFraction};
    for (double v : {f.Po, f.efficiency, f.vPeak, f.iSwitchPeak, f.vonFraction})
      if (!std::isfinite(v)) return std::nullopt;
    return f;
  } catch (const std::exception&) {
    // A build the engine cannot take (memory, an arithmetic fault deep in a
    // helper) is one failed build, not the end of the run.
    return std::nullopt;
  }
}

}  // namespace classe::statistics
