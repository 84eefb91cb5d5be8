// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "engine/design/constants.h"
#include "engine/design/design_state.h"
#include "engine/design/trig.h"

namespace classe {

// Phase of the output-branch current, arctan(−2/π): tan(phi) = −2/π.
double OutputCurrentPhase();

// The four values of one evaluation, in the order they are written.
enum class Waveform { Vc1, IrTeta, Ic1, Isw };

// What the waveform model reads from the design, gathered once per sampling.
struct WaveformModel {
  double Ir = 0;
  double IDC = 0;
  double omegaC1 = 0;
  double Von = 0;
  double phi = 0;
  double IrCosPhi = 0;

  static WaveformModel From(const DesignState& state) {
    return {state.Ir,  state.IDC, state.omega * state.C1,
            state.Von, state.phi, state.Ir * Cosine(state.phi)};
  }

  // Hands sink(Waveform, value) the four values at `teta` in the order Vc1,
  // IrTeta, Ic1, Isw; sink returns the value the model goes on with. Each
  // period starts when the switch opens: open on 0…π and 2π…3π, closed on
  // π…2π and 3π…4π, every bound belonging to the interval below it. Outside
  // 0…4π nothing is handed over and the result is false.
  template <class Sink>
  bool Evaluate(double teta, Sink&& sink) const {
    if (teta < 0 || teta > kFourPi) return false;
    const double u = RampAngle(teta);
    if (IsOpen(teta)) {
      sink(Waveform::Vc1, OpenVoltage(u));
      const double ir = sink(Waveform::IrTeta, BranchCurrent(teta));
      sink(Waveform::Ic1, IDC - ir);
      sink(Waveform::Isw, 0.0);
    } else {
      sink(Waveform::Vc1, Von);
      const double ir = sink(Waveform::IrTeta, BranchCurrent(teta));
      sink(Waveform::Ic1, 0.0);
      sink(Waveform::Isw, IDC - ir);
    }
    return true;
  }

  // The formulas below take a double or four lanes (the sampling loop) and
  // give the same value in each lane as for the double.

  // For 0 ≤ teta ≤ 4π: open on 0…π and 2π…3π, each bound in the interval
  // below it. Every comparison is made (| and &, not || and &&): no branch.
  // The return type is spelled out because Evaluate, above, calls it before
  // its body, where clang will not deduce it.
  template <class T>
  static auto IsOpen(T teta) -> decltype(teta <= kPi) {
    return (teta <= kPi) | ((teta > kTwoPi) & (teta <= kThreePi));
  }

  // Angle since the switch last opened, for the voltage: only the voltage
  // restarts its ramp each period, the currents keep the full angle.
  template <class T>
  static T RampAngle(T teta) {
    const T second = teta - kTwoPi;
    return teta > kTwoPi ? second : teta;
  }

  // Voltage across the open switch and C1, u radians after it opened.
  template <class T>
  T OpenVoltage(T u) const {
    return (Ir * Cosine(u + phi) + IDC * u - IrCosPhi) / omegaC1;
  }

  // Current in the output branch at teta.
  template <class T>
  T BranchCurrent(T teta) const {
    return Ir * Sine(teta + phi);
  }
};

// Evaluates the model at state.teta and stores Vc1, IrTeta, Ic1 and Isw in
// this order, each checked for arithmetic faults as it is stored; an angle
// outside 0…4π leaves them as they were. Needs the design and phi.
void EvaluateWaveforms(DesignState& state);

}  // namespace classe
