// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/state_space.h"

namespace classe::circuit {

// The stage as an affine system in the carrier angle teta = ω·t (rad):
// dx/dteta = A·x + b, one (A, b) per switch state. States, in this order:
//   iL1 [A]  choke current, from Vcc into the drain
//   vD  [V]  drain voltage, the voltage on C1 (Coss included)
//   vC2 [V]  voltage on C2, drain side positive
//   iL2 [A]  series-branch current, from the drain through C2 and L2 to the load
//   vCn [V]  network capacitor voltage (network loads only)
//   iLn [A]  network inductor current towards RL (ShuntCAtInput only)
// The switch current isw flows from the drain to ground: (vD − Von)/Ron when
// closed, 0 when open. Each inductor L carries its loss resistance r = ωL/QU.
//   ωL1·diL1/dteta = Vcc − vD − r1·iL1
//   ωC1·dvD/dteta  = iL1 − iL2 − isw
//   ωC2·dvC2/dteta = iL2
//   ωLs·diL2/dteta = vD − vC2 − rs·iL2 − vo
// where Ls = L2, rs = r2 and vo = R·iL2 with the plain resistor; with
// ShuntCAtLoad the network L is merged into Ls = L2 + L, rs = r2 + rL, vo = vCn and
//   ωC·dvCn/dteta = iL2 − vCn/RL
// with ShuntCAtInput vo = vCn and
//   ωC·dvCn/dteta = iL2 − iLn,   ωL·diLn/dteta = vCn − (rL + RL)·iLn.
// With Ron = 0 the closed switch holds vD at Von: its row is zero and the
// turn-on map sets vD := Von (the charge C1·(vD − Von) goes at once).
template <int n>
StateSpace<n> BuildStateSpace(const Stage& s) {
  constexpr int one = n;  // column of the constant 1
  constexpr bool atLoad = n == StateCount(LoadKind::ShuntCAtLoad);
  constexpr bool atInput = n == StateCount(LoadKind::ShuntCAtInput);
  const double w = s.omega;
  const double Ls = atLoad ? s.L2 + s.load.L : s.L2;
  const double rs = s.Esr(s.L2) + (atLoad ? s.Esr(s.load.L) : 0.0);

  AugMatrix<n> A = AugMatrix<n>::Zero();
  const double wL1 = w * s.L1;
  A(kIL1, kVD) = -1 / wL1;
  A(kIL1, kIL1) = -Stage::ChokeEsr() / wL1;
  A(kIL1, one) = s.Vcc / wL1;
  const double wC1 = w * s.C1;
  A(kVD, kIL1) = 1 / wC1;
  A(kVD, kIL2) = -1 / wC1;
  A(kVC2, kIL2) = 1 / (w * s.C2);
  const double wLs = w * Ls;
  A(kIL2, kVD) = 1 / wLs;
  A(kIL2, kVC2) = -1 / wLs;
  A(kIL2, kIL2) = -rs / wLs;
  if constexpr (n == StateCount(LoadKind::Resistor)) {
    A(kIL2, kIL2) -= s.load.RL / wLs;
  } else {
    A(kIL2, kVCn) = -1 / wLs;
    const double wC = w * s.load.C;
    A(kVCn, kIL2) = 1 / wC;
    if constexpr (atLoad) {
      A(kVCn, kVCn) = -1 / (wC * s.load.RL);
    } else {
      static_assert(atInput);
      A(kVCn, kILn) = -1 / wC;
      const double wL = w * s.load.L;
      A(kILn, kVCn) = 1 / wL;
      A(kILn, kILn) = -(s.Esr(s.load.L) + s.load.RL) / wL;
    }
  }

  StateSpace<n> m;
  m.open = A;
  m.closed = A;
  m.turnOn.setIdentity();
  if (s.Ron > 0) {
    const double g = 1 / (wC1 * s.Ron);
    m.closed(kVD, kVD) = -g;
    m.closed(kVD, one) = g * s.Von;
  } else {
    m.closed.row(kVD).setZero();
    m.turnOn.row(kVD).setZero();
    m.turnOn(kVD, one) = s.Von;
  }
  return m;
}

template <int n>
Probe<n> MakeProbe(const Stage& s, const StateSpace<n>& m, Quantity q) {
  constexpr int one = n;
  constexpr bool atLoad = n == StateCount(LoadKind::ShuntCAtLoad);
  constexpr bool atInput = n == StateCount(LoadKind::ShuntCAtInput);
  const auto unit = [](int i) -> AugRow<n> { return AugRow<n>::Unit(i); };
  const auto both = [](const AugRow<n>& row) { return Probe<n>{row, row}; };
  // Current in the closed switch; with Ron = 0 C1 is frozen, so KCL gives it.
  const AugRow<n> isw = s.Ron > 0 ? AugRow<n>((unit(kVD) - s.Von * unit(one)) / s.Ron)
                                  : AugRow<n>(unit(kIL1) - unit(kIL2));
  // Voltage across an inductance L carrying current state i, and its loss
  // resistance: ωL·di/dteta + r·i, the derivative from i's row of A.
  const auto inductorVoltage = [&](double L, int i) {
    return both(AugRow<n>(s.omega * L * m.open.row(i) + s.Esr(L) * unit(i)));
  };
  const AugRow<n> none = AugRow<n>::Zero();

  switch (q) {
    case Quantity::DrainVoltage:
      return both(unit(kVD));
    case Quantity::SwitchCurrent:
      return {none, isw};
    case Quantity::C1Current:
      return {unit(kIL1) - unit(kIL2), unit(kIL1) - unit(kIL2) - isw};
    case Quantity::BranchCurrent:
      return both(unit(kIL2));
    case Quantity::L1Current:
      return both(unit(kIL1));
    case Quantity::L1Voltage:
      return both(s.Vcc * unit(one) - unit(kVD));
    case Quantity::C2Voltage:
      return both(unit(kVC2));
    case Quantity::L2Voltage:
      // With ShuntCAtLoad iL2's row is that of the merged L2 + L: each part
      // takes its own share of the voltage.
      return inductorVoltage(s.L2, kIL2);
    case Quantity::NetLCurrent:
      if constexpr (atLoad) return both(unit(kIL2));
      if constexpr (atInput) return both(unit(kILn));
      return both(none);
    case Quantity::NetLVoltage:
      if constexpr (atLoad) return inductorVoltage(s.load.L, kIL2);
      if constexpr (atInput) return inductorVoltage(s.load.L, kILn);
      return both(none);
    case Quantity::NetCCurrent:
      if constexpr (atLoad) return both(unit(kIL2) - unit(kVCn) / s.load.RL);
      if constexpr (atInput) return both(unit(kIL2) - unit(kILn));
      return both(none);
    case Quantity::NetCVoltage:
      if constexpr (atLoad || atInput) return both(unit(kVCn));
      return both(none);
    case Quantity::LoadCurrent:
      if constexpr (atLoad) return both(unit(kVCn) / s.load.RL);
      if constexpr (atInput) return both(unit(kILn));
      return both(unit(kIL2));
    case Quantity::LoadVoltage:
      if constexpr (atLoad) return both(unit(kVCn));
      if constexpr (atInput) return both(s.load.RL * unit(kILn));
      return both(s.load.RL * unit(kIL2));
  }
  return both(none);
}

template StateSpace<4> BuildStateSpace<4>(const Stage&);
template StateSpace<5> BuildStateSpace<5>(const Stage&);
template StateSpace<6> BuildStateSpace<6>(const Stage&);
template Probe<4> MakeProbe<4>(const Stage&, const StateSpace<4>&, Quantity);
template Probe<5> MakeProbe<5>(const Stage&, const StateSpace<5>&, Quantity);
template Probe<6> MakeProbe<6>(const Stage&, const StateSpace<6>&, Quantity);

}  // namespace classe::circuit
