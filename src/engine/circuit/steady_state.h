// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <array>

#include "engine/circuit/result.h"
#include "engine/circuit/stage.h"

namespace classe::circuit {

// Average powers over one period, W. Every watt Vcc delivers ends in one of
// the other entries: dc = load + ron + von + discharge + l1 + l2 + networkL
// + diode.
struct PowerBudget {
  double load = 0;       // into R, or RL behind the network
  double dc = 0;         // Vcc · average choke current
  double ron = 0;        // in Ron (the C1 discharge at turn-on included)
  double von = 0;        // absorbed by the on-voltage source, Von · average switch current
  double discharge = 0;  // ideal switch only: ½·C1·(vD(π) − Von)² per period, lost at turn-on
  double l1 = 0;         // in the loss resistance of L1
  double l2 = 0;         // of L2
  double networkL = 0;   // of the network inductor
  double diode = 0;      // in the transistor's body diode, when it conducts
};

// The periodic steady state of a stage. Angles are teta = ω·t, the switch
// opening at teta = 0 and closing at teta = π.
struct SteadyState {
  PowerBudget power;
  double efficiency = 0;  // load / dc
  double idc = 0;         // A, average choke current
  double vTurnOn = 0;     // V, vD at teta = π, just before the switch closes
  // What the closing switch discharges, as a fraction of the drain peak:
  // (vD(π) − Von) / vPeak. Zero in nominal class-E operation.
  double vonFraction = 0;
  double slopeTurnOn = 0;  // V/rad, dvD/dteta just before the switch closes
  double vPeak = 0;        // V, largest drain voltage
  double vPeakTeta = 0;    // rad, where it occurs
  // Spectral radius of the period map: a start-up deviation shrinks by this
  // factor each period.
  double rho = 0;
  // SI state at teta = 0: iL1, vD, vC2, iL2, then vCn, iLn with a network
  // (entries beyond the stage's states are 0).
  std::array<double, 6> start{};
};

Result<SteadyState> SolveSteadyState(const Stage& stage);

}  // namespace classe::circuit
