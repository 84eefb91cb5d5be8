// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/exact_design.h"

#include <cmath>

#include <Eigen/LU>

#include "engine/circuit/orbit.h"

namespace classe::circuit {
namespace {

using Vector3 = Eigen::Vector3d;
using Matrix3 = Eigen::Matrix3d;

// Unknowns, as logarithms so that every trial stays positive.
enum Unknown : int { kC1 = 0, kC2 = 1, kR = 2 };

constexpr int kMaxIterations = 60;
// Converged: every residual below this (the round-off floor is near 1e-13).
constexpr double kTolerance = 1e-11;
// A line search that cannot improve below this has reached the floor too.
constexpr double kFloor = 1e-9;
// Forward-difference step in the logarithms: the Jacobian comes out to about
// 1e-7, enough for Newton to gain six digits a step near the root.
constexpr double kDifferenceStep = 1e-7;
// No step changes a component by more than e^1.
constexpr double kMaxStep = 1.0;
// X(C2) below this fraction of R: C2 is running off to infinity.
constexpr double kVanishingXc2 = 1e-4;

struct Problem {
  IdealDesign target;
  StageOptions options;
};

Result<Stage> StageAt(const Problem& p, const Vector3& u) {
  const IdealDesign& t = p.target;
  const double C1 = std::exp(u(kC1));
  const double R = std::exp(u(kR));
  StageOptions options = p.options;
  options.Coss = 0;  // checked against the final C1 only
  return MakeStage(t.omega, t.Vcc, t.Von, R, t.N / (t.omega * t.omega * C1), C1, std::exp(u(kC2)),
                   t.Q * R / t.omega, options);
}

template <int n>
Result<Vector3> ResidualOf(const Orbit<n>& o, const IdealDesign& t) {
  const AugVector<n> xPi = o.ToSi(o.beforeTurnOn);
  const Probe<n> load = MakeProbe<n>(o.stage, o.model, Quantity::LoadCurrent);
  const double power = o.stage.load.RL * PeriodMoments<n>(o).MeanSquare(load);
  const Vector3 r((xPi(kVD) - t.Von) / t.Vcc, o.model.open.row(kVD).dot(xPi) / t.Vcc,
                  std::log(power / t.Po));
  if (!r.allFinite()) return NonFinite("progetto esatto");
  return r;
}

Result<Vector3> Residual(const Problem& p, const Vector3& u) {
  const Result<Stage> stage = StageAt(p, u);
  if (!stage) return stage.failure();
  return WithOrbit(*stage, [&](const auto& orbit) { return ResidualOf(orbit, p.target); });
}

double Size(const Vector3& r) {
  return r.cwiseAbs().maxCoeff();
}

// Why Newton stopped short: C2 running to infinity is the low-Q limit.
Failure Stuck(const Problem& p, const Vector3& u, int iterations, double residual) {
  const double Xc2 = 1 / (p.target.omega * std::exp(u(kC2)));
  if (Xc2 < kVanishingXc2 * std::exp(u(kR))) return QTooLow(p.target.Q, p.target.N);
  return NoConvergence(iterations, residual);
}

}  // namespace

Result<ExactDesign> DesignExact(const IdealDesign& ideal, const StageOptions& options) {
  const IdealDesign& t = ideal;
  const auto positive = [](double x) { return std::isfinite(x) && x > 0; };
  if (!positive(t.Po)) return InvalidValue("Po", "deve essere positiva");
  if (!positive(t.omega)) return InvalidValue("f", "deve essere positiva");
  if (!positive(t.Q)) return InvalidValue("Q", "deve essere positivo");
  if (!positive(t.Vcc)) return InvalidValue("Vcc", "deve essere positiva");
  if (!(t.Von >= 0 && t.Von < t.Vcc)) return InvalidValue("Von", "deve essere ≥ 0 e minore di Vcc");
  // L1 = N/(ω²·C1): N = 0 would short the supply.
  if (t.N < 1) return InvalidValue("N", "deve essere almeno 1");
  // The ideal C2 is negative below Q = 1.152: no start, and no design either.
  if (!(positive(t.C2) && positive(t.C1) && positive(t.R))) return QTooLow(t.Q, t.N);
  const Problem p{ideal, options};

  Vector3 u(std::log(t.C1), std::log(t.C2), std::log(t.R));
  Result<Vector3> r = Residual(p, u);
  if (!r) return r.failure();
  int iteration = 0;
  while (Size(*r) > kTolerance) {
    if (++iteration > kMaxIterations) return Stuck(p, u, iteration - 1, Size(*r));
    Matrix3 J;
    for (int j = 0; j < 3; ++j) {
      Vector3 v = u;
      v(j) += kDifferenceStep;
      const Result<Vector3> rj = Residual(p, v);
      if (!rj) return rj.failure();
      J.col(j) = (*rj - *r) / kDifferenceStep;
    }
    const Eigen::PartialPivLU<Matrix3> lu(J);
    if (!(lu.rcond() > 1e-12)) return SingularStep(iteration);
    Vector3 step = -lu.solve(*r);
    const double longest = Size(step);
    if (longest > kMaxStep) step *= kMaxStep / longest;

    // Backtrack until the residual shrinks (Armijo on the largest residual).
    double alpha = 1;
    bool accepted = false;
    while (alpha >= 1.0 / 1024 && !accepted) {
      const Vector3 trial = u + alpha * step;
      Result<Vector3> rt = Residual(p, trial);
      if (rt && Size(*rt) < (1 - 1e-4 * alpha) * Size(*r)) {
        u = trial;
        r = std::move(rt);
        accepted = true;
      }
      alpha /= 2;
    }
    if (!accepted) {
      if (Size(*r) <= kFloor) break;
      return Stuck(p, u, iteration, Size(*r));
    }
  }

  Result<Stage> stage = StageAt(p, u);
  if (!stage) return stage.failure();
  Stage s = *stage;
  s.Coss = options.Coss;
  if (s.Coss > s.C1) return CossAboveC1(s.Coss, s.C1);
  Result<SteadyState> steady = SolveSteadyState(s);
  if (!steady) return steady.failure();
  return ExactDesign{s, *steady, iteration, Size(*r)};
}

}  // namespace classe::circuit
