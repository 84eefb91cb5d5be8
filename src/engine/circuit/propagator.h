// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <complex>

#include "engine/circuit/state_space.h"

namespace classe::circuit {

template <int n>
using AugComplexVector = Eigen::Matrix<std::complex<double>, n + 1, 1>;

// The free motion z(s) = e^{A·s}·z(0) along one switch state, with the
// integrals the steady state is measured by.
//
// Closed through a small Ron the drain relaxes towards Von at 1/(ω·Ron·C1)
// per rad, 10⁴ times faster than anything else (Ron = 1 mΩ). Squaring the
// exponential across that span costs about log2 of the ratio in bits, so
// such a mode is split off first: a similarity y = T·z, found by the
// fixed-point iterations of the singular-perturbation decoupling, makes the
// drain row of y the fast mode alone (rate λ) and leaves a slow matrix A0
// with the usual scale. Each part is then integrated at its own scale.
template <int n>
class Propagator {
 public:
  explicit Propagator(const AugMatrix<n>& A);

  const AugMatrix<n>& matrix() const { return A_; }
  bool split() const { return split_; }
  double fastRate() const { return fast_; }  // λ, per rad (0 when not split)

  // e^{A·h}.
  AugMatrix<n> Exp(double h) const;
  // e^{A·h}·z; on a short step of a motion without a split fast mode, by its
  // Taylor series on the vector (a few matrix-vector products).
  AugVector<n> Advance(double h, const AugVector<n>& z) const;
  // ∫₀ʰ z(s)·z(s)ᵀ ds.
  AugMatrix<n> Moment(double h, const AugVector<n>& z0) const;
  // ∫₀ʰ e^{−j·k·s}·z(s) ds.
  AugComplexVector<n> Fourier(double h, const AugVector<n>& z0, int k) const;

 private:
  AugMatrix<n> A_;
  bool split_ = false;
  AugMatrix<n> T_ = AugMatrix<n>::Identity();     // y = T·z
  AugMatrix<n> Tinv_ = AugMatrix<n>::Identity();  // z = T⁻¹·y
  AugMatrix<n> slow_;                             // A0, zero row and column at kVD
  double fast_ = 0;
};

}  // namespace classe::circuit
