// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>

#include "engine/circuit/ideal_design.h"
#include "engine/circuit/result.h"
#include "engine/transistor/coss_curve.h"

namespace classe::circuit {

// What follows L2. With the L-network the series L sits between L2 and the
// shunt C (ShuntCAtLoad) or after the shunt C (ShuntCAtInput).
enum class LoadKind {
  Resistor,       // R, or RL equal to R, straight after L2
  ShuntCAtLoad,   // RL > R: network L in series with L2 (one inductor), C across RL
  ShuntCAtInput,  // RL < R: C from the node after L2 to ground, then network L to RL
};

struct Load {
  LoadKind kind = LoadKind::Resistor;
  double RL = 0;  // Ω, the resistor the output power ends in
  double L = 0;   // H, network series inductor (0 without a network)
  double C = 0;   // F, network shunt capacitor (0 without a network)
};

// The transistor a stage is built with: its output capacitance against the
// drain voltage (a junction law, a datasheet curve or a constant) and its body
// diode, always there with it. The stage's Coss is coss(Vref), the datasheet's
// figure, and C1 − Coss is the linear capacitor to buy.
struct Transistor {
  transistor::CossModel coss;
  double Vref = 25;             // V
  std::optional<double> BVdss;  // V, the breakdown rating; none: not checked
};

// The parts of a real stage the ideal design leaves out.
struct StageOptions {
  double Ron = 1e-3;  // Ω, closed-switch resistance; 0 is the ideal switch
  // Unloaded Q of the output circuit's inductors (L2, the network's L); none:
  // lossless. The choke carries mostly direct current: its loss is its wire's
  // resistance, not ωL1/QU, and it is taken as lossless.
  std::optional<double> QU;
  double Coss = 0;           // F, a linear output capacitance, counted inside C1
  std::optional<double> RL;  // Ω; given, the L-network to RL follows L2
  // Given, it replaces Coss: the drain capacitance follows its law, and its
  // diode conducts when the drain falls below ground.
  std::optional<Transistor> transistor;
};

// One complete stage in SI units, as the engine simulates it.
struct Stage {
  double omega = 0;  // rad/s
  double Vcc = 0;    // V
  double Von = 0;    // V, on-voltage in series with Ron
  double Ron = 0;    // Ω; 0: ideal switch, C1 discharged at once at turn-on
  double L1 = 0;     // H, choke
  double C1 = 0;     // F, total shunt capacitance (Coss included)
  double C2 = 0;     // F
  double L2 = 0;     // H
  double R = 0;      // Ω, load the branch is designed for (what the network presents)
  Load load;
  std::optional<double> QU;
  double Coss = 0;  // F, at the transistor's Vref when there is one
  std::optional<Transistor> transistor;

  // The drain capacitance at drain voltage v: C1 when it is linear.
  double C1At(double v) const {
    return transistor ? C1 - Coss + transistor->coss.capacitance(v) : C1;
  }
  // The shunt capacitor to buy: C1 less what the transistor brings.
  double C1ToBuy() const { return C1 - Coss; }
  // Series loss resistance of an output-circuit inductance L at omega, ωL/QU
  // (0 when lossless).
  double Esr(double L) const { return QU ? omega * L / *QU : 0.0; }
  // The choke's, which QU does not describe (see StageOptions::QU).
  static constexpr double ChokeEsr() { return 0.0; }
};

// The stage of given component values with the options' losses and load;
// the network, when RL is given and differs from R, is computed for R.
Result<Stage> MakeStage(double omega, double Vcc, double Von, double R, double L1, double C1,
                        double C2, double L2, const StageOptions& options);

// The ideal design's own components (its L1 = N·5.447·R/ω included).
Result<Stage> StageFromIdeal(const IdealDesign& ideal, const StageOptions& options);

// Every value finite and in its domain; the first offence found, if any.
std::optional<Failure> CheckStage(const Stage& stage);

}  // namespace classe::circuit
