// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "engine/circuit/ideal_design.h"
#include "engine/circuit/result.h"
#include "engine/circuit/stage.h"
#include "engine/circuit/steady_state.h"

namespace classe::circuit {

// A stage that meets the class-E conditions exactly with its real parts
// (finite Q, finite choke, Ron, Von, inductor losses, the network in the loop):
// vD(π) = Von and dvD/dteta(π) = 0 as the switch closes, and Po into the load.
struct ExactDesign {
  Stage stage;         // R, C1, C2 found; L2 = Q·R/ω, L1 = N/(ω²·C1), network for R
  SteadyState steady;  // of that stage
  int iterations = 0;  // Newton steps taken
  // Largest of |vD(π) − Von|/Vcc, |dvD/dteta(π)|/Vcc and |ln(Pload/Po)| at the end.
  double residual = 0;
};

// Newton on ln C1, ln C2, ln R from the ideal design, with a backtracking
// line search. Fails, with no numbers, where no such stage exists (Q below
// about 1.79, a choke too small), where a step is singular, or where the
// tolerances are not met; and when Coss exceeds the C1 found.
Result<ExactDesign> DesignExact(const IdealDesign& ideal, const StageOptions& options);

}  // namespace classe::circuit
