// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/ideal_design.h"

namespace classe::circuit {

IdealDesign FromDesignState(const DesignState& s) {
  return {s.Po, s.f, s.Q, s.Vcc, s.Von, s.N, s.omega, s.R, s.L1, s.C1, s.C2, s.L2};
}

}  // namespace classe::circuit
