// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/transistor/junction.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace classe::transistor {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();
// Where the diode's exponential turns into its tangent.
constexpr double kMaxExponent = 80.0;

}  // namespace

double Saturate(double x) {
  return std::isnan(x) ? 0.0 : std::clamp(x, -kMax, kMax);
}

std::variant<Junction, std::string> Junction::Make(double Cref, double Vref, double m, double Vj) {
  if (!(Cref > 0 && Cref <= kMax))
    return std::string("La capacità Coss di riferimento deve essere un numero positivo.");
  if (!(Vref >= 0 && Vref <= kMax))
    return std::string("La tensione di riferimento Vref deve essere un numero non negativo.");
  if (!(m >= 0 && m < 1))
    return std::string("Il coefficiente m deve essere compreso tra 0 (incluso) e 1 (escluso).");
  if (!(Vj > 0 && Vj <= kMax))
    return std::string("Il potenziale di giunzione Vj deve essere un numero positivo.");
  Junction j(Cref * std::pow(1.0 + Vref / Vj, m), m, Vj);
  if (!std::isfinite(j.cjo_) || !std::isfinite(j.cJoint_) || !std::isfinite(j.slope_))
    return std::string("I parametri della giunzione danno una capacità fuori scala.");
  return j;
}

Junction::Junction(double cjo, double m, double vj)
    : cjo_(cjo),
      m_(m),
      vj_(vj),
      vJoint_(-kFC * vj),
      cJoint_(cjo / std::pow(1.0 - kFC, m)),
      // SPICE's F2 = (1 − FC)^(1+M); the line's slope in v, the diode's voltage being −v.
      slope_(-cjo * m / (vj * std::pow(1.0 - kFC, 1.0 + m))),
      qJoint_(m == 0 ? cjo * vJoint_
                     : cjo * vj / (1.0 - m) * std::expm1((1.0 - m) * std::log1p(-kFC))) {}

double Junction::capacitance(double v) const {
  v = Saturate(v);
  if (v < vJoint_) return Saturate(cJoint_ + slope_ * (v - vJoint_));
  return std::max(cjo_ / std::pow(1.0 + v / vj_, m_), std::numeric_limits<double>::min());
}

double Junction::derivative(double v) const {
  v = Saturate(v);
  if (v < vJoint_) return slope_;
  return Saturate(-m_ * capacitance(v) / (vj_ + v));
}

double Junction::charge(double v) const {
  v = Saturate(v);
  if (m_ == 0) return Saturate(cjo_ * v);  // exactly linear
  if (v < vJoint_) {
    const double d = v - vJoint_;
    return Saturate(qJoint_ + d * (cJoint_ + 0.5 * slope_ * d));
  }
  // expm1 and log1p: no cancellation for small v.
  return Saturate(cjo_ * vj_ / (1.0 - m_) * std::expm1((1.0 - m_) * std::log1p(v / vj_)));
}

double DiodeCurrent(double v) {
  const double a = -Saturate(v) / (kN * kVt);
  if (a <= kMaxExponent) return kIS * std::expm1(a);
  return Saturate(kIS * (std::exp(kMaxExponent) * (1.0 + (a - kMaxExponent)) - 1.0));
}

double DiodeConductance(double v) {
  const double a = -Saturate(v) / (kN * kVt);
  return -kIS / (kN * kVt) * std::exp(std::min(a, kMaxExponent));
}

}  // namespace classe::transistor
