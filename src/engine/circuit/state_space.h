// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <Eigen/Core>

#include "engine/circuit/stage.h"

namespace classe::circuit {

// Indices into the state vector; the network states exist only with a network.
enum StateIndex : int { kIL1 = 0, kVD = 1, kVC2 = 2, kIL2 = 3, kVCn = 4, kILn = 5 };

// 4 states with a plain resistor, 5 with ShuntCAtLoad, 6 with ShuntCAtInput.
constexpr int StateCount(LoadKind kind) {
  return kind == LoadKind::Resistor ? 4 : kind == LoadKind::ShuntCAtLoad ? 5 : 6;
}

// The state with a constant 1 appended, so that the affine system is linear.
template <int n>
using AugMatrix = Eigen::Matrix<double, n + 1, n + 1>;
template <int n>
using AugVector = Eigen::Matrix<double, n + 1, 1>;
template <int n>
using AugRow = Eigen::Matrix<double, 1, n + 1>;

// One switch cycle of the stage as linear maps on the augmented state.
template <int n>
struct StateSpace {
  AugMatrix<n> open;    // [[A, b], [0, 0]], switch open (teta in [0, π))
  AugMatrix<n> closed;  // switch closed (teta in [π, 2π))
  AugMatrix<n> turnOn;  // applied at teta = π: identity, or vD := Von for the ideal switch
};

template <int n>
StateSpace<n> BuildStateSpace(const Stage& stage);

// A voltage or current of the stage as a row on the augmented SI state, one
// row per switch state (the switch current differs).
template <int n>
struct Probe {
  AugRow<n> open;
  AugRow<n> closed;
};

// The quantities an engineer rates parts by, and the plotted waveforms.
enum class Quantity {
  DrainVoltage,   // V, vD, across C1 and the switch
  SwitchCurrent,  // A, drain → ground through the switch
  C1Current,      // A, into C1 from the drain
  BranchCurrent,  // A, in C2 and L2, drain → load
  L1Current,      // A, Vcc → drain
  L1Voltage,      // V, Vcc − vD, across L1 and its loss resistance
  C2Voltage,      // V, drain side positive
  L2Voltage,      // V, across L2 and its loss resistance
  NetLCurrent,    // A, network inductor
  NetLVoltage,    // V, across the network inductor and its loss resistance
  NetCCurrent,    // A, into the network capacitor
  NetCVoltage,    // V
  LoadCurrent,    // A, in R or RL
  LoadVoltage,    // V, across R or RL
};

template <int n>
Probe<n> MakeProbe(const Stage& stage, const StateSpace<n>& model, Quantity quantity);

}  // namespace classe::circuit
