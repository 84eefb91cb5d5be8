// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "engine/circuit/exact_design.h"
#include "engine/design/design_equations.h"

namespace classe::statistics::testing {

// The exact design of Po 50 W, f 4 MHz, Vcc 28 V, N 20 at the Q given, with
// the switch resistance it is solved for and the L-network to RL when given.
inline circuit::Stage ExactStage(const std::string& Q, double Ron = 0.1,
                                 std::optional<double> RL = std::nullopt) {
  DesignState s;
  ComputeDesign(s, {"50", "4", Q, "0", "28", "20"});
  circuit::StageOptions o;
  o.Ron = Ron;
  o.RL = RL;
  return circuit::DesignExact(circuit::FromDesignState(s), o).value().stage;
}

}  // namespace classe::statistics::testing
