// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <Eigen/Core>
#include <Eigen/LU>
#include <utility>

#include "engine/circuit/result.h"

namespace classe::circuit {

// Newton's method on a residual of as many entries as unknowns, with a
// forward-difference Jacobian and a backtracking line search on the largest
// residual: what the exact design and the retune both solve with.
struct NewtonSettings {
  int maxIterations = 60;
  double tolerance = 1e-11;  // converged: every residual below this
  double floor = 1e-9;       // a line search that cannot improve below this has converged too
  double step = 1e-7;        // forward difference in the unknowns
  double maxStep = 1.0;      // no step moves an unknown by more than this
};

// Why Newton stopped short, for the caller to name.
enum class NewtonStop { TooManySteps, Singular, NoDescent };

template <class Vector>
struct NewtonEnd {
  Vector u;
  int iterations = 0;
  double residual = 0;  // largest |entry| at u
};

inline double LargestEntry(const auto& r) {
  return r.cwiseAbs().maxCoeff();
}

// `residual(u)` gives Result<Vector>; its failure at the start or in a
// Jacobian column is returned as it is. `stopped(why, u, r, iteration)`
// gives the Failure for a stop.
template <class Vector, class Residual, class Stopped>
Result<NewtonEnd<Vector>> DampedNewton(const Residual& residual, Vector u, const NewtonSettings& s,
                                       const Stopped& stopped) {
  using Matrix = Eigen::Matrix<double, Vector::RowsAtCompileTime, Vector::RowsAtCompileTime>;
  Result<Vector> r = residual(u);
  if (!r) return r.failure();
  const Eigen::Index n = u.size();
  int iteration = 0;
  while (LargestEntry(*r) > s.tolerance) {
    if (++iteration > s.maxIterations)
      return stopped(NewtonStop::TooManySteps, u, *r, iteration - 1);
    Matrix J(n, n);
    for (Eigen::Index j = 0; j < n; ++j) {
      Vector v = u;
      v(j) += s.step;
      const Result<Vector> rj = residual(v);
      if (!rj) return rj.failure();
      J.col(j) = (*rj - *r) / s.step;
    }
    const Eigen::PartialPivLU<Matrix> lu(J);
    if (!(lu.rcond() > 1e-12)) return stopped(NewtonStop::Singular, u, *r, iteration);
    Vector step = -lu.solve(*r);
    const double longest = LargestEntry(step);
    if (longest > s.maxStep) step *= s.maxStep / longest;

    // Backtrack until the residual shrinks (Armijo on the largest residual).
    double alpha = 1;
    bool accepted = false;
    while (alpha >= 1.0 / 1024 && !accepted) {
      const Vector trial = u + alpha * step;
      Result<Vector> rt = residual(trial);
      if (rt && LargestEntry(*rt) < (1 - 1e-4 * alpha) * LargestEntry(*r)) {
        u = trial;
        r = std::move(rt);
        accepted = true;
      }
      alpha /= 2;
    }
    if (!accepted) {
      if (LargestEntry(*r) <= s.floor) break;
      return stopped(NewtonStop::NoDescent, u, *r, iteration);
    }
  }
  return NewtonEnd<Vector>{u, iteration, LargestEntry(*r)};
}

}  // namespace classe::circuit
