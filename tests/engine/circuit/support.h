// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "engine/circuit/ideal_design.h"
#include "engine/circuit/stage.h"
#include "engine/design/design_equations.h"

namespace classe::circuit::testing {

// The main window's ideal design: Po 50 W, f 4 MHz, Vcc 28 V unless given.
inline IdealDesign Ideal(const std::string& Q = "4", const std::string& N = "20",
                         const std::string& Von = "0") {
  DesignState s;
  ComputeDesign(s, {"50", "4", Q, Von, "28", N});
  return FromDesignState(s);
}

inline StageOptions Options(std::optional<double> RL = std::nullopt, double Ron = 1e-3,
                            std::optional<double> QU = std::nullopt) {
  StageOptions o;
  o.RL = RL;
  o.Ron = Ron;
  o.QU = QU;
  return o;
}

inline Stage IdealStage(const IdealDesign& d, const StageOptions& o = {}) {
  return StageFromIdeal(d, o).value();
}

}  // namespace classe::circuit::testing
