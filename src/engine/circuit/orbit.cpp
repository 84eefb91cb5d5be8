// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/orbit.h"

#include <algorithm>
#include <cmath>

#include <Eigen/LU>

namespace classe::circuit {
namespace {

// The smallest pivot of I − F against the largest: it vanishes when the period
// map F has an eigenvalue at 1 (no unique steady state). Below this ratio the
// solution would keep no correct digit. (A pivot ratio, not Eigen's rcond():
// the estimator costs the compiler as much again for each size.)
constexpr double kSingularPivot = 1e-13;

template <int m>
double Norm1(const Eigen::Matrix<double, m, m>& A) {
  return A.cwiseAbs().colwise().sum().maxCoeff();
}

// ‖F^k‖^(1/k) tends to the spectral radius of F; with k = 2^32 squarings
// the factor a Jordan block or a transient gain of up to 1e6 adds is within
// 1e-8 of 1. The powers are renormalised at each squaring and their
// logarithms summed.
template <int n>
double SpectralRadiusOf(const Eigen::Matrix<double, n, n>& F) {
  using Square = Eigen::Matrix<double, n, n>;
  Square G = F;
  double logScale = 0;  // log‖F^(2^k)‖ / 2^k
  double weight = 1;
  for (int k = 0; k < 32; ++k) {
    const double norm = Norm1<n>(G);
    if (!(norm > 0)) return 0;  // nilpotent: every deviation is gone after n periods
    logScale += weight * std::log(norm);
    const Square unit = G / norm;
    G = unit * unit;
    weight /= 2;
  }
  return std::exp(logScale + weight * std::log(std::max(Norm1<n>(G), 1e-300)));
}

template <int n>
AugVector<n> BalancingScale(const Stage& stage) {
  AugVector<n> scale = AugVector<n>::Ones();
  for (int i : {kIL1, kIL2, kILn})
    if (i < n) scale(i) = stage.R;
  return scale;
}

// D·M·D⁻¹ with D = diag(scale).
template <int n>
AugMatrix<n> Balance(const AugMatrix<n>& M, const AugVector<n>& scale) {
  return scale.asDiagonal() * M * scale.cwiseInverse().asDiagonal();
}

}  // namespace

template <int n>
AugVector<n> Orbit<n>::ToSi(const AugVector<n>& balanced) const {
  return balanced.cwiseQuotient(scale);
}

template <int n>
AugRow<n> Orbit<n>::Balanced(const AugRow<n>& siRow) const {
  return siRow.cwiseQuotient(scale.transpose());
}

template <int n>
AugMatrix<n> Orbit<n>::MomentOpen() const {
  const AugMatrix<n> W = open.Moment(kHalfPeriod, start);
  return W.cwiseQuotient(scale * scale.transpose());
}

template <int n>
AugMatrix<n> Orbit<n>::MomentClosed() const {
  const AugMatrix<n> W = closed.Moment(kHalfPeriod, afterTurnOn);
  return W.cwiseQuotient(scale * scale.transpose());
}

template <int n>
double Orbit<n>::SpectralRadius() const {
  return SpectralRadiusOf<n>(periodMap);
}

template <int n>
Orbit<n>::Orbit(const Stage& s)
    : stage(s),
      model(BuildStateSpace<n>(s)),
      scale(BalancingScale<n>(s)),
      open(Balance<n>(model.open, scale)),
      closed(Balance<n>(model.closed, scale)),
      turnOn(Balance<n>(model.turnOn, scale)) {}

template <int n>
Result<Orbit<n>> SolveOrbit(const Stage& stage) {
  Orbit<n> o(stage);
  o.phiOpen = o.open.Exp(kHalfPeriod);
  o.phiClosed = o.closed.Exp(kHalfPeriod);
  if (!o.phiOpen.allFinite() || !o.phiClosed.allFinite()) return NonFinite("regime periodico");

  // x(2π) = F·x(0) + g; the steady state solves (I − F)·x = g.
  const AugMatrix<n> period = o.phiClosed * o.turnOn * o.phiOpen;
  using Square = Eigen::Matrix<double, n, n>;
  o.periodMap = period.template topLeftCorner<n, n>();
  const Square IminusF = Square::Identity() - o.periodMap;
  const Eigen::PartialPivLU<Square> lu(IminusF);
  const Eigen::Matrix<double, n, 1> pivots = lu.matrixLU().diagonal().cwiseAbs();
  if (!(pivots.minCoeff() > kSingularPivot * pivots.maxCoeff())) return SingularPeriod();
  o.start.template head<n>() = lu.solve(period.template topRightCorner<n, 1>());
  o.start(n) = 1;
  o.beforeTurnOn = o.phiOpen * o.start;
  o.afterTurnOn = o.turnOn * o.beforeTurnOn;
  if (!o.start.allFinite()) return NonFinite("regime periodico");
  return o;
}

template <int n>
HalfSamples<n> SampleHalf(const Propagator<n>& flow, const AugVector<n>& zFrom, double from,
                          double to, int intervals) {
  HalfSamples<n> half;
  half.flow = &flow;
  half.from = from;
  half.step = (to - from) / intervals;
  const AugMatrix<n> E = flow.Exp(half.step);
  half.z.reserve(static_cast<std::size_t>(intervals) + 1);
  half.z.push_back(zFrom);
  for (int j = 0; j < intervals; ++j)
    half.z.push_back(E * half.z.back());
  return half;
}

namespace {

// The maximum of y = row·z near sample j, between its neighbours: Newton on
// y' = row·A·z with bisection as the safeguard.
template <int n>
Extremum Refine(const HalfSamples<n>& half, const AugRow<n>& row, std::size_t j) {
  const std::size_t last = half.z.size() - 1;
  const std::size_t lo = j > 0 ? j - 1 : 0;
  const std::size_t hi = j < last ? j + 1 : last;
  const AugMatrix<n>& A = half.flow->matrix();
  const AugRow<n> d1 = row * A;
  const AugRow<n> d2 = d1 * A;
  Extremum best{row.dot(half.z[j]), half.from + static_cast<double>(j) * half.step};
  // The root of y' must be bracketed: y' > 0 on the left, < 0 on the right.
  double a = half.from + static_cast<double>(lo) * half.step;
  double b = half.from + static_cast<double>(hi) * half.step;
  if (!(d1.dot(half.z[lo]) > 0 && d1.dot(half.z[hi]) < 0)) {
    for (std::size_t k : {lo, hi}) {
      const double y = row.dot(half.z[k]);
      if (y > best.value) best = {y, half.from + static_cast<double>(k) * half.step};
    }
    return best;
  }
  const AugVector<n>& zLo = half.z[lo];
  const double tLo = a;
  double t = best.teta;
  for (int iteration = 0; iteration < 60; ++iteration) {
    const AugVector<n> z = half.flow->Advance(t - tLo, zLo);
    const double slope = d1.dot(z);
    const double curvature = d2.dot(z);
    const double y = row.dot(z);
    if (y > best.value) best = {y, t};
    if (slope > 0) {
      a = t;
    } else {
      b = t;
    }
    double next = t - slope / curvature;
    if (!(curvature < 0) || !(next > a && next < b)) next = 0.5 * (a + b);
    if (std::fabs(next - t) < 1e-14 * kPeriod || b - a < 1e-14 * kPeriod) break;
    t = next;
  }
  return best;
}

}  // namespace

template <int n>
Extremum Maximum(const HalfSamples<n>& half, const AugRow<n>& row) {
  const std::size_t count = half.z.size();
  std::vector<double> y(count);
  for (std::size_t j = 0; j < count; ++j)
    y[j] = row.dot(half.z[j]);
  const double top = *std::max_element(y.begin(), y.end());
  const double bottom = *std::min_element(y.begin(), y.end());
  // A sampled lobe may sit below the true peak by (k·step)²/8 of its height
  // for harmonic k; lobes within 5 % of the range are all refined.
  const double threshold = top - 0.05 * (top - bottom);
  Extremum best{y[0], half.from};
  for (std::size_t j = 0; j < count; ++j) {
    const bool left = j == 0 || y[j] >= y[j - 1];
    const bool right = j + 1 == count || y[j] >= y[j + 1];
    if (!(left && right) || y[j] < threshold) continue;
    const Extremum e = Refine(half, row, j);
    if (e.value > best.value) best = e;
  }
  return best;
}

#define CLASSE_ORBIT(n)                                                                            \
  template struct Orbit<n>;                                                                        \
  template Result<Orbit<n>> SolveOrbit<n>(const Stage&);                                           \
  template HalfSamples<n> SampleHalf<n>(const Propagator<n>&, const AugVector<n>&, double, double, \
                                        int);                                                      \
  template Extremum Maximum<n>(const HalfSamples<n>&, const AugRow<n>&);
CLASSE_ORBIT(4)
CLASSE_ORBIT(5)
CLASSE_ORBIT(6)
#undef CLASSE_ORBIT

}  // namespace classe::circuit
