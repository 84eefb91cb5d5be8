// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/statistics/stage_figures.h"

#include <cmath>
#include <exception>

#include "engine/circuit/orbit_measures.h"
#include "engine/design/fault.h"

namespace classe::statistics {
namespace {

template <int n>
void Remember(const circuit::Orbit<n>&, circuit::ShootingStart*) {}
template <int n>
void Remember(const circuit::NonlinearOrbit<n>& o, circuit::ShootingStart* orbit) {
  if (orbit) *orbit = {o.start, o.jacobian};
}

}  // namespace

std::optional<StageFigures> FiguresOf(const circuit::Stage& stage,
                                      const circuit::ShootingStart* start,
                                      circuit::ShootingStart* orbit) {
  const PreservedFpFlags keep;
  try {
    if (circuit::CheckStage(stage)) return std::nullopt;
    // One steady state for both the figures and the switch's peak.
    const auto figures = circuit::WithAnyOrbit(
        stage,
        [orbit](const auto& o) -> circuit::Result<StageFigures> {
          const auto steady = circuit::MeasureSteadyState(o);
          if (!steady) return steady.failure();
          const auto switchPeak = circuit::MeasureSwitchCurrentPeak(o);
          if (!switchPeak) return switchPeak.failure();
          Remember(o, orbit);
          return StageFigures{steady->power.load, steady->efficiency, steady->vPeak, *switchPeak,
                              steady->vonFraction};
        },
        start);
    if (!figures) return std::nullopt;
    const StageFigures& f = *figures;
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
