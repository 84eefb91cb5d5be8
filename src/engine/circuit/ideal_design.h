// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "engine/design/design_state.h"

namespace classe::circuit {

// The ideal class-E design as the main window computed it: its inputs and the
// component values, in SI units. The caller fills it; nothing here reads text.
struct IdealDesign {
  double Po = 0;     // W, wanted output power
  double f = 0;      // Hz
  double Q = 0;      // loaded Q of the series branch
  double Vcc = 0;    // V
  double Von = 0;    // V, on-voltage of the switch
  int N = 0;         // X(L1) / X(C1)
  double omega = 0;  // rad/s
  double R = 0;      // Ω
  double L1 = 0;     // H
  double C1 = 0;     // F
  double C2 = 0;     // F
  double L2 = 0;     // H
};

// The values ComputeDesign stored in `state`.
IdealDesign FromDesignState(const DesignState& state);

}  // namespace classe::circuit
