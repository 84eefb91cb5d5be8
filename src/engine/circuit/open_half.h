// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <span>
#include <vector>

#include <Eigen/Core>

#include "engine/circuit/result.h"
#include "engine/circuit/stage.h"
#include "engine/circuit/state_space.h"

namespace classe::circuit {

// The open switch's half period of a stage built with a transistor: the drain
// capacitance C1(vD) = C1 − Coss + Coss(vD) and the body diode make the drain
// row nonlinear, ω·C1(vD)·dvD/dteta = iL1 − iL2 + id(vD); every other row is
// the linear model's. SI state, teta from 0 to π, integrated by SUNDIALS'
// CVODES (Adams, Newton with the analytic Jacobian: the diode, when it
// conducts, is stiff). Safe to use from several threads at once: each keeps
// its own integrators.
// What a state's entries are measured against: Vcc for voltages, Vcc/R for
// currents (the integrator's tolerances, the shooting's convergence).
template <int n>
Eigen::Matrix<double, n, 1> StateScale(const Stage& s) {
  Eigen::Matrix<double, n, 1> scale = Eigen::Matrix<double, n, 1>::Constant(s.Vcc);
  for (int i : {kIL1, kIL2, kILn})
    if (i < n) scale(i) = s.Vcc / s.R;
  return scale;
}

template <int n>
class OpenHalf {
 public:
  using State = Eigen::Matrix<double, n, 1>;
  using Square = Eigen::Matrix<double, n, n>;

  // `model` is a linear state space of `stage` whose drain row divides by
  // `modelC1` (it is rescaled here by modelC1/C1(vD)).
  OpenHalf(const Stage& stage, const StateSpace<n>& model, double modelC1);
  OpenHalf(const OpenHalf&) = delete;
  OpenHalf& operator=(const OpenHalf&) = delete;

  // dx/dteta at x (open switch).
  State Rate(const State& x) const;
  // ∂(dx/dteta)/∂x.
  Square Jacobian(const State& x) const;

  // x(π) from x(0) alone: what a Newton step needs, at a fraction of the cost
  // of the measured motion.
  Result<State> End(const State& x0) const;

  // x(π) from x(0), and ∂x(π)/∂x(0) from the variational equations,
  // integrated with the state under the same error control.
  struct Shot {
    State end;
    Square monodromy;
  };
  Result<Shot> Shoot(const State& x0) const;

  // The same motion measured: ∫ z·zᵀ dteta with z = (x, 1) over the half
  // (its last column is ∫ x dteta, its last entry π), the mean over the half
  // of the power the diode takes, ∫ −vD·id dteta, the drain's local maxima,
  // and the states at the angles asked for (ascending, within [0, π]); with
  // `variational`, ∂x(π)/∂x(0) too.
  struct Trace {
    Eigen::Matrix<double, n + 1, n + 1> moment;
    double diodeEnergy = 0;  // ∫ −vD·id dteta, V·A·rad
    std::vector<double> peakTeta;
    std::vector<State> peakState;
    std::vector<State> at;  // one per angle asked for
    Square monodromy = Square::Zero();
  };
  Result<Trace> Follow(const State& x0, std::span<const double> angles,
                       bool variational = false) const;

 private:
  template <bool variational>
  Result<Trace> Traced(const State& x0, std::span<const double> angles) const;

  const Stage stage_;
  AugMatrix<n> open_;  // the linear model with the switch open, SI
  double omega_;
  double C1_;     // what the linear model's drain row divides by
  State absTol_;  // of each state, against its scale
};

}  // namespace classe::circuit
