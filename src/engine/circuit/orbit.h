// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <vector>

#include <Eigen/Core>

#include "engine/circuit/propagator.h"
#include "engine/circuit/result.h"
#include "engine/circuit/stage.h"
#include "engine/circuit/state_space.h"

namespace classe::circuit {

// Half a period of the carrier, in rad: the switch is open on [0, π) and
// closed on [π, 2π). The exact π, not the design's literal: time runs here.
inline constexpr double kHalfPeriod = 3.141592653589793238;
inline constexpr double kPeriod = 2 * kHalfPeriod;

// The periodic steady state of a stage. The computation runs on balanced
// coordinates, currents times R (in V), so that the matrices' entries are of
// one order; the SI values come back through `scale`.
template <int n>
struct Orbit {
  explicit Orbit(const Stage& stage);  // the matrices; the steady state is SolveOrbit's

  Stage stage;
  StateSpace<n> model;                    // SI
  AugVector<n> scale;                     // balanced state = scale ∘ SI state
  Propagator<n> open;                     // balanced motion with the switch open
  Propagator<n> closed;                   // and closed
  AugMatrix<n> turnOn;                    // balanced turn-on map
  AugMatrix<n> phiOpen;                   // transition over the open half, exp(open·π)
  AugMatrix<n> phiClosed;                 // over the closed half
  AugVector<n> start;                     // balanced state at teta = 0 (and 2π)
  AugVector<n> beforeTurnOn;              // at teta = π, switch still open
  AugVector<n> afterTurnOn;               // at teta = π, after the turn-on map
  Eigen::Matrix<double, n, n> periodMap;  // linear part of x(0) → x(2π)

  AugVector<n> ToSi(const AugVector<n>& balanced) const;
  AugRow<n> Balanced(const AugRow<n>& siRow) const;
  // ∫ x·xᵀ dteta over the open and the closed half, SI. The last column is
  // ∫ x dteta (the last state is 1), its last entry π.
  AugMatrix<n> MomentOpen() const;
  AugMatrix<n> MomentClosed() const;
  // Spectral radius of the period map: the factor a start-up deviation
  // shrinks by each period.
  double SpectralRadius() const;
};

// Averages over the period of a quantity and of its square, from the
// moments of the two halves: (1/2π)·∫ p·x dteta and (1/2π)·∫ (p·x)² dteta.
template <int n>
struct PeriodMoments {
  template <class AnyOrbit>
  explicit PeriodMoments(const AnyOrbit& orbit)
      : open(orbit.MomentOpen()), closed(orbit.MomentClosed()) {}
  AugMatrix<n> open;  // SI ∫ x·xᵀ dteta over the open half
  AugMatrix<n> closed;

  double Mean(const Probe<n>& p) const {
    return (p.open.dot(open.col(n)) + p.closed.dot(closed.col(n))) / kPeriod;
  }
  double MeanSquare(const Probe<n>& p) const {
    return (p.open * open * p.open.transpose() + p.closed * closed * p.closed.transpose()).value() /
           kPeriod;
  }
};

// One linear solve on the period map x(2π) = x(0); fails when that map has
// an eigenvalue at 1 (no unique steady state).
template <int n>
Result<Orbit<n>> SolveOrbit(const Stage& stage);

// Balanced states at from + j·step, j = 0…intervals, along one switch state.
template <int n>
struct HalfSamples {
  const Propagator<n>* flow = nullptr;
  double from = 0;
  double step = 0;
  std::vector<AugVector<n>> z;
};

template <int n>
HalfSamples<n> SampleHalf(const Propagator<n>& flow, const AugVector<n>& zFrom, double from,
                          double to, int intervals);

struct Extremum {
  double value = 0;
  double teta = 0;  // rad
};

// Largest row·z over the sampled span: the best sampled local maxima, each
// refined by safeguarded Newton on the derivative row·A·z.
template <int n>
Extremum Maximum(const HalfSamples<n>& half, const AugRow<n>& balancedRow);

// Runs f on the solved orbit of the stage's size, once the stage's values
// are checked; f returns a Result.
template <class F>
auto WithOrbit(const Stage& stage, F&& f) -> decltype(f(std::declval<const Orbit<4>&>())) {
  if (std::optional<Failure> bad = CheckStage(stage)) return *bad;
  const auto run = [&](auto orbit) -> decltype(f(std::declval<const Orbit<4>&>())) {
    if (!orbit) return orbit.failure();
    return f(*orbit);
  };
  switch (stage.load.kind) {
    case LoadKind::Resistor:
      return run(SolveOrbit<4>(stage));
    case LoadKind::ShuntCAtLoad:
      return run(SolveOrbit<5>(stage));
    case LoadKind::ShuntCAtInput:
      break;
  }
  return run(SolveOrbit<6>(stage));
}

}  // namespace classe::circuit
