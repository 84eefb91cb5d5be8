// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <variant>

namespace classe::transistor {

// SPICE's forward-bias coefficient: below v = −FC·Vj the depletion
// capacitance goes on as a straight line.
inline constexpr double kFC = 0.5;

// The body diode's saturation current [A], emission coefficient and thermal
// voltage kT/q [V] at 27 °C.
inline constexpr double kIS = 1e-12;
inline constexpr double kN = 1.0;
inline constexpr double kVt = 1.380649e-23 * 300.15 / 1.602176634e-19;

// What a SPICE deck's .model D line needs: CJO [F], VJ [V], M, FC, IS [A], N.
struct SpiceDiodeParams {
  double CJO = 0;
  double VJ = 0;
  double M = 0;
  double FC = kFC;
  double IS = kIS;
  double N = kN;
};

// The drain-source capacitance as SPICE's diode depletion capacitance, the
// diode's cathode at the drain: reverse-biased, and shrinking, for v > 0.
// Voltages in V, capacitances in F, charges in C. Every result is finite for
// every input (a NaN voltage is read as 0 V, results beyond the double range
// are held at its largest value).
class Junction {
 public:
  // Cref [F] is the datasheet's Coss at Vds = Vref [V]; 0 ≤ m < 1, Vj > 0.
  // The Italian reason instead when a parameter is outside its domain.
  static std::variant<Junction, std::string> Make(double Cref, double Vref, double m, double Vj);

  double capacitance(double v) const;
  double derivative(double v) const;  // dCoss/dv [F/V]
  double charge(double v) const;      // ∫₀^v Coss du

  double cjo() const { return cjo_; }  // the zero-bias capacitance [F]
  SpiceDiodeParams spice() const { return {cjo_, vj_, m_, kFC, kIS, kN}; }

 private:
  Junction(double cjo, double m, double vj);

  double cjo_;
  double m_;
  double vj_;
  double vJoint_;  // −FC·Vj, where the straight line starts
  double cJoint_;  // capacitance there
  double slope_;   // dCoss/dv below the joint
  double qJoint_;  // charge there
};

// The body diode's current [A] from ground into the drain, IS·(e^(−v/(N·Vt)) − 1),
// and its derivative [A/V]. Beyond an exponent of 80 the exponential goes on
// along its tangent, as circuit simulators do, so that no result overflows
// for any realistic voltage (and beyond that it is held at the double range).
double DiodeCurrent(double v);
double DiodeConductance(double v);  // d(DiodeCurrent)/dv, never positive

// Finite results only: NaN reads as 0, the infinities as the largest doubles.
double Saturate(double x);

}  // namespace classe::transistor
