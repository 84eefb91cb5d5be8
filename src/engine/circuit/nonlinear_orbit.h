// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <optional>

#include <Eigen/Core>

#include "engine/circuit/open_half.h"
#include "engine/circuit/orbit.h"
#include "engine/circuit/result.h"
#include "engine/circuit/stage.h"

namespace classe::circuit {

// The periodic steady state of a stage built with a transistor.
//
// The open half is the nonlinear motion (OpenHalf). The closed half stays
// linear, with the drain capacitance held at its value at Von: closed, the
// drain sits at Von + Ron·isw, millivolts away, where C1(v) changes by less
// than 1e-4 of itself (a junction with Vj 0.7 V and Ron·isw of 5 mV), and the
// charge that C1 moves there is below 1e-7 of the open half's; the diode,
// forward-biased by those millivolts, carries picoamperes.
//
// The steady state is found by Newton on x(0) (shooting), the period map's
// derivative being the variational equations' monodromy, not a difference.
template <int n>
struct NonlinearOrbit {
  using State = Eigen::Matrix<double, n, 1>;

  explicit NonlinearOrbit(const Stage& stage);

  Stage stage;
  // The stage with C1 at the closed switch's voltage: the closed half, the
  // turn-on map and the probes. Its start, beforeTurnOn and afterTurnOn are
  // set to this steady state (balanced, as it keeps them).
  Orbit<n> linear;
  std::shared_ptr<OpenHalf<n>> open;
  AugMatrix<n> closedMap;                 // SI: x(2π) from x(π) before the turn-on map
  State start;                            // SI state at teta = 0
  State beforeTurnOn;                     // at teta = π
  typename OpenHalf<n>::Trace trace;      // of the open half, from start
  Eigen::Matrix<double, n, n> periodMap;  // at this orbit
  Eigen::Matrix<double, n, n> jacobian;   // periodMap less the identity
  int iterations = 0;                     // Newton steps of the shooting

  AugMatrix<n> MomentOpen() const { return trace.moment; }
  AugMatrix<n> MomentClosed() const { return linear.MomentClosed(); }
  double SpectralRadius() const;
  // The drain's slope at turn-on, V/rad.
  double SlopeTurnOn() const { return open->Rate(beforeTurnOn)(kVD); }
};

// Where a search may start: a nearby stage's x(0) and its Newton matrix.
struct ShootingStart {
  Eigen::VectorXd x0;
  Eigen::MatrixXd jacobian;  // period map's derivative less the identity
};

// From `start`, or from the linear steady state with the drain capacitance
// at the datasheet voltage (also when `start` leads nowhere). Chord Newton:
// the matrix of the first shot (or of `start`) is kept while each step gains
// a factor of 4.
template <int n>
Result<NonlinearOrbit<n>> SolveNonlinearOrbit(const Stage& stage,
                                              const ShootingStart* start = nullptr);

// WithOrbit for a stage built with a transistor.
template <class F>
auto WithNonlinearOrbit(const Stage& stage, F&& f, const ShootingStart* start = nullptr)
    -> decltype(f(std::declval<const NonlinearOrbit<4>&>())) {
  if (std::optional<Failure> bad = CheckStage(stage)) return *bad;
  const auto run = [&](auto orbit) -> decltype(f(std::declval<const NonlinearOrbit<4>&>())) {
    if (!orbit) return orbit.failure();
    return f(*orbit);
  };
  switch (stage.load.kind) {
    case LoadKind::Resistor:
      return run(SolveNonlinearOrbit<4>(stage, start));
    case LoadKind::ShuntCAtLoad:
      return run(SolveNonlinearOrbit<5>(stage, start));
    case LoadKind::ShuntCAtInput:
      break;
  }
  return run(SolveNonlinearOrbit<6>(stage, start));
}

// The stage's orbit, linear or not, handed to f; `start` helps the nonlinear.
template <class F>
auto WithAnyOrbit(const Stage& stage, F&& f, const ShootingStart* start = nullptr)
    -> decltype(f(std::declval<const Orbit<4>&>())) {
  if (stage.transistor) return WithNonlinearOrbit(stage, f, start);
  return WithOrbit(stage, f);
}

}  // namespace classe::circuit
