// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "engine/circuit/nonlinear_orbit.h"
#include "engine/circuit/orbit.h"
#include "engine/circuit/result.h"
#include "engine/circuit/steady_state.h"

namespace classe::circuit {

// The measures of an orbit already solved, for a caller that reads several
// of them from one steady state (a steady state with a transistor is the
// costly part): SolveSteadyState's and SwitchCurrentPeak's figures.
template <int n>
Result<SteadyState> MeasureSteadyState(const Orbit<n>& orbit);
template <int n>
Result<SteadyState> MeasureSteadyState(const NonlinearOrbit<n>& orbit);
template <int n>
Result<double> MeasureSwitchCurrentPeak(const Orbit<n>& orbit);
template <int n>
Result<double> MeasureSwitchCurrentPeak(const NonlinearOrbit<n>& orbit);

}  // namespace classe::circuit
