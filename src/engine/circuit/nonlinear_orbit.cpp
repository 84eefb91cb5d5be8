// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/nonlinear_orbit.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include <Eigen/Eigenvalues>
#include <Eigen/LU>

#include "engine/circuit/step_budget.h"

namespace classe::circuit {
namespace {

constexpr int kMaxShots = 40;
// The integration steps one search may take: a junction's orbit takes a few
// thousand, a datasheet curve's up to about ten thousand.
constexpr long kOrbitSteps = 60000;
// Converged when x(2π) − x(0) is this small against Vcc (voltages) and Vcc/R
// (currents): below the integration's 1e-9, whose error a shot from the same
// start repeats exactly.
constexpr double kPeriodicity = 1e-10;
// Or when Newton stops gaining on the integration's noise this close to it.
constexpr double kNoiseFloor = 1e-8;

Stage ClosedStage(const Stage& s) {
  Stage closed = s;
  closed.C1 = s.C1At(s.Von);
  return closed;
}

template <int n>
AugVector<n> Augmented(const Eigen::Matrix<double, n, 1>& x) {
  AugVector<n> z;
  z << x, 1.0;
  return z;
}

}  // namespace

template <int n>
NonlinearOrbit<n>::NonlinearOrbit(const Stage& s)
    : stage(s),
      linear(ClosedStage(s)),
      open(std::make_shared<OpenHalf<n>>(s, linear.model, linear.stage.C1)) {
  const AugMatrix<n> phiClosed = linear.closed.Exp(kHalfPeriod);
  linear.phiClosed = phiClosed;
  const AugVector<n>& d = linear.scale;
  closedMap = d.cwiseInverse().asDiagonal() * phiClosed * linear.turnOn * d.asDiagonal();
}

template <int n>
double NonlinearOrbit<n>::SpectralRadius() const {
  const Eigen::EigenSolver<Eigen::Matrix<double, n, n>> eigen(periodMap, false);
  return eigen.eigenvalues().cwiseAbs().maxCoeff();
}

namespace {

template <int n>
Result<NonlinearOrbit<n>> Shooting(const Stage& stage, const ShootingStart* start) {
  using State = Eigen::Matrix<double, n, 1>;
  using Square = Eigen::Matrix<double, n, n>;
  NonlinearOrbit<n> o(stage);
  if (!o.closedMap.allFinite()) return NonFinite("regime periodico");
  const bool warm =
      start && start->x0.size() == n && start->jacobian.rows() == n && start->jacobian.cols() == n;
  if (warm) {
    o.start = start->x0;
    o.jacobian = start->jacobian;
  } else {
    // The linear stage's steady state, in SI: its period map is too far off
    // for the chord steps, the first shot brings the stage's own below.
    const Result<Orbit<n>> linear = SolveOrbit<n>(stage);
    if (!linear) return linear.failure();
    o.start = linear->ToSi(linear->start).template head<n>();
  }
  const State w = StateScale<n>(stage).cwiseInverse();
  const Square closed = o.closedMap.template topLeftCorner<n, n>();
  const double end[] = {kHalfPeriod};

  Eigen::PartialPivLU<Square> lu;
  bool exact = false;  // whether the matrix is this stage's own
  // The Newton matrix from the variational equations at x; x(π) with it.
  const auto fresh = [&](const State& x) -> Result<State> {
    const auto s = o.open->Shoot(x);
    if (!s) return s.failure();
    o.periodMap = closed * s->monodromy;
    o.jacobian = o.periodMap - Square::Identity();
    lu.compute(o.jacobian);
    exact = true;
    return s->end;
  };
  std::optional<State> shotEnd;  // x(π) from the start, when already known
  if (warm) {
    o.periodMap = o.jacobian + Square::Identity();
    lu.compute(o.jacobian);
  } else {
    Result<State> e = fresh(o.start);
    if (!e) return e.failure();
    shotEnd = *e;
  }
  double last = INFINITY;
  double rate = 1;  // the last step's gain, size over last
  for (int shot = 0;; ++shot) {
    // Only the orbit kept is measured; a step that should land within the
    // tolerance is measured on the way, in case it does.
    const bool measure = shot > 0 && last * rate <= kPeriodicity;
    std::optional<typename OpenHalf<n>::Trace> trace;
    State xPi;
    if (measure) {
      auto t = o.open->Follow(o.start, end, true);
      if (!t) return t.failure();
      trace = std::move(t).value();
      xPi = trace->at.front();
    } else if (shot == 0 && shotEnd) {
      xPi = *shotEnd;
    } else {
      auto e = o.open->End(o.start);
      if (!e) return e.failure();
      xPi = *e;
    }
    const State F = (o.closedMap * Augmented<n>(xPi)).template head<n>() - o.start;
    const double size = F.cwiseProduct(w).cwiseAbs().maxCoeff();
    o.iterations = shot;
    if (size <= kPeriodicity || (size <= kNoiseFloor && size > 0.5 * last)) {
      if (!trace) {
        auto t = o.open->Follow(o.start, end, true);
        if (!t) return t.failure();
        trace = std::move(t).value();
      }
      // The period map of the orbit itself: its spectral radius, and the
      // matrix a nearby stage's search starts with.
      o.periodMap = closed * trace->monodromy;
      o.jacobian = o.periodMap - Square::Identity();
      o.beforeTurnOn = trace->at.front();
      o.trace = std::move(*trace);
      break;
    }
    if (shot == kMaxShots) return NoConvergence(shot, size);
    if (trace) {
      // A measured step that fell short brought its own matrix.
      o.periodMap = closed * trace->monodromy;
      o.jacobian = o.periodMap - Square::Identity();
      lu.compute(o.jacobian);
      exact = true;
    } else if (size > 0.25 * last && !exact) {
      // A chord step that gained less than a factor of 4 asks for a new matrix.
      if (Result<State> e = fresh(o.start); !e) return e.failure();
    }
    const State step = lu.solve(-F);
    if (!step.allFinite()) return SingularPeriod();
    o.start += step;
    rate = std::isfinite(last) ? std::min(1.0, size / last) : 1.0;
    last = size;
  }
  // The linear orbit keeps its states balanced.
  const AugVector<n>& d = o.linear.scale;
  o.linear.start = d.cwiseProduct(Augmented<n>(o.start));
  o.linear.beforeTurnOn = d.cwiseProduct(Augmented<n>(o.beforeTurnOn));
  o.linear.afterTurnOn = o.linear.turnOn * o.linear.beforeTurnOn;
  o.linear.periodMap = o.periodMap;
  return o;
}

}  // namespace

template <int n>
Result<NonlinearOrbit<n>> SolveNonlinearOrbit(const Stage& stage, const ShootingStart* start) {
  const auto shoot = [&](const ShootingStart* from) {
    StepBudget budget(kOrbitSteps);
    return Shooting<n>(stage, from);
  };
  Result<NonlinearOrbit<n>> o = shoot(start);
  // A nearby stage's orbit that leads nowhere: the linear stage's may.
  if (!o && start) return shoot(nullptr);
  return o;
}

template struct NonlinearOrbit<4>;
template struct NonlinearOrbit<5>;
template struct NonlinearOrbit<6>;
template Result<NonlinearOrbit<4>> SolveNonlinearOrbit<4>(const Stage&, const ShootingStart*);
template Result<NonlinearOrbit<5>> SolveNonlinearOrbit<5>(const Stage&, const ShootingStart*);
template Result<NonlinearOrbit<6>> SolveNonlinearOrbit<6>(const Stage&, const ShootingStart*);

}  // namespace classe::circuit
