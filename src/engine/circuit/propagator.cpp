// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/propagator.h"

#include <cmath>

#include "engine/circuit/transition.h"

namespace classe::circuit {
namespace {

// A mode this many times faster than the 1-norm of the rest is split off.
constexpr double kStiffRatio = 64;

// Largest ‖A‖₁·h of the short step the integrals' series are summed on: their
// terms then shrink at least eightfold each (‖A·X + X·Aᵀ‖ ≤ 2‖A‖‖X‖).
constexpr double kSeriesStepNorm = 1.0 / 16;

// Terms below this fraction of the sum are past the last bit.
constexpr double kSeriesTail = 1e-18;

template <int n>
double Norm1(const AugMatrix<n>& A) {
  return A.cwiseAbs().colwise().sum().maxCoeff();
}

// Halvings of h that bring norm·h down to the series step.
inline int Halvings(double norm, double h) {
  norm *= h;
  return norm > kSeriesStepNorm ? static_cast<int>(std::ceil(std::log2(norm / kSeriesStepNorm)))
                                : 0;
}

// ∫₀ʰ e^{A·s}·z·zᵀ·e^{Aᵀ·s} ds for a matrix of ordinary scale (Van Loan's
// integral): on h0 = h/2^d its Taylor series Σ h0^(k+1)/(k+1)!·L^k(z·zᵀ) with
// L(X) = A·X + X·Aᵀ, then d doublings W(2t) = W(t) + e^{A·t}·W(t)·e^{Aᵀ·t}.
template <int n>
AugMatrix<n> PlainMoment(const AugMatrix<n>& A, double h, const AugVector<n>& z) {
  const int halvings = Halvings(Norm1<n>(A), h);
  const double h0 = std::ldexp(h, -halvings);
  const AugMatrix<n> Ah = A * h0;
  AugMatrix<n> E = AugMatrix<n>::Identity();
  AugMatrix<n> power = AugMatrix<n>::Identity();
  AugMatrix<n> X = z * z.transpose();
  AugMatrix<n> W = h0 * X;
  for (int k = 1; k < 40; ++k) {
    power = power * Ah / k;
    E += power;
    const AugMatrix<n> AX = Ah * X;
    X = (AX + AX.transpose()) / (k + 1);
    W += h0 * X;
    if (h0 * Norm1<n>(X) <= kSeriesTail * Norm1<n>(W) && Norm1<n>(power) <= kSeriesTail) break;
  }
  for (int k = 0; k < halvings; ++k) {
    const AugMatrix<n> EW = E * W;
    W += EW * E.transpose();
    E = E * E;
  }
  return W;
}

// ∫₀ʰ e^{−j·k·s}·e^{A·s}·z ds the same way: Σ h0^(i+1)/(i+1)!·(A − j·k)^i·z on
// the short step, then F(2t) = F(t) + e^{−j·k·t}·e^{A·t}·F(t).
template <int n>
AugComplexVector<n> PlainFourier(const AugMatrix<n>& A, double h, const AugVector<n>& z, int k) {
  using Complex = std::complex<double>;
  const int halvings = Halvings(Norm1<n>(A) + k, h);  // ‖A − j·k‖ ≤ ‖A‖ + k
  const double h0 = std::ldexp(h, -halvings);
  const AugMatrix<n> Ah = A * h0;
  const Complex shift(0, -k * h0);
  AugMatrix<n> E = AugMatrix<n>::Identity();
  AugMatrix<n> power = AugMatrix<n>::Identity();
  AugComplexVector<n> term = z.template cast<Complex>();
  AugComplexVector<n> F = h0 * term;
  for (int i = 1; i < 40; ++i) {
    power = power * Ah / i;
    E += power;
    term = (Ah.template cast<Complex>() * term + shift * term) / Complex(i + 1);
    F += h0 * term;
    if (h0 * term.norm() <= kSeriesTail * F.norm() && Norm1<n>(power) <= kSeriesTail) break;
  }
  double t = h0;
  for (int i = 0; i < halvings; ++i) {
    const Complex phase = std::polar(1.0, -k * t);
    F += phase * (E.template cast<Complex>() * F);
    E = E * E;
    t *= 2;
  }
  return F;
}

// (A0 + c·I)⁻¹·v for |c| far above ‖A0‖: the Neumann series (1/c)·Σ (−A0/c)^k·v.
template <int n, class Vector>
Vector ShiftedSolve(const AugMatrix<n>& A0, double c, const Vector& v) {
  Vector term = v / c;
  Vector sum = term;
  for (int k = 0; k < 60; ++k) {
    term = -(A0 * term) / c;
    sum += term;
    if (term.norm() <= kSeriesTail * sum.norm()) break;
  }
  return sum;
}

}  // namespace

template <int n>
Propagator<n>::Propagator(const AugMatrix<n>& A) : A_(A), slow_(A) {
  constexpr int f = kVD;
  const double aff = A(f, f);
  // The rest of the matrix: slow block Ass, and the couplings afs (row) and asf (column).
  AugMatrix<n> Ass = A;
  Ass.row(f).setZero();
  Ass.col(f).setZero();
  AugRow<n> afs = A.row(f);
  afs(f) = 0;
  AugVector<n> asf = A.col(f);
  asf(f) = 0;
  if (!(std::fabs(aff) > kStiffRatio * Norm1<n>(Ass))) return;

  // η = z_f + L·z decouples the fast row when
  // L = (afs + L·Ass − (L·asf)·L) / aff; the iteration contracts by ‖Ass‖/|aff|.
  AugRow<n> L = AugRow<n>::Zero();
  bool settled = false;
  for (int k = 0; k < 60 && !settled; ++k) {
    const AugRow<n> next = (afs + L * Ass - L.dot(asf) * L) / aff;
    settled = (next - L).norm() <= 1e-16 * next.norm();
    L = next;
  }
  const double lambda = aff + L.dot(asf);
  const AugMatrix<n> A0 = Ass - asf * L;
  // ξ = z_s + H·η removes η from the slow rows: (λ·I − A0)·H = −asf.
  const AugVector<n> H = ShiftedSolve<n>(AugMatrix<n>(-A0), lambda, AugVector<n>(-asf));
  const AugRow<n> ef = AugRow<n>::Unit(f);
  const AugMatrix<n> I = AugMatrix<n>::Identity();
  const AugMatrix<n> T = (I + H * ef) * (I + ef.transpose() * L);
  const AugMatrix<n> Tinv = (I - ef.transpose() * L) * (I - H * ef);
  // Used only when the split reproduces A: T·A·T⁻¹ = A0 + λ·e_f·e_fᵀ.
  AugMatrix<n> D = A0;
  D(f, f) = lambda;
  const AugMatrix<n> defect = T * A * Tinv - D;
  if (!settled || !(Norm1<n>(defect) <= 1e-12 * Norm1<n>(A)) || !(lambda < 0)) return;
  split_ = true;
  T_ = T;
  Tinv_ = Tinv;
  slow_ = A0;
  fast_ = lambda;
}

template <int n>
AugMatrix<n> Propagator<n>::Exp(double h) const {
  if (!split_) return Transition<n>(A_, h);
  AugMatrix<n> E = Transition<n>(slow_, h);
  E(kVD, kVD) = std::exp(fast_ * h);
  return Tinv_ * E * T_;
}

template <int n>
AugVector<n> Propagator<n>::Advance(double h, const AugVector<n>& z) const {
  if (split_ || !(Norm1<n>(A_) * std::fabs(h) <= 1)) return Exp(h) * z;
  AugVector<n> term = z;
  AugVector<n> sum = z;
  for (int k = 1; k < 40; ++k) {
    term = (A_ * term) * (h / k);
    sum += term;
    if (term.norm() <= kSeriesTail * sum.norm()) break;
  }
  return sum;
}

template <int n>
AugMatrix<n> Propagator<n>::Moment(double h, const AugVector<n>& z0) const {
  if (!split_) return PlainMoment<n>(A_, h, z0);
  constexpr int f = kVD;
  const AugVector<n> y = T_ * z0;
  const double eta = y(f);
  AugVector<n> xi = y;
  xi(f) = 0;
  AugMatrix<n> W = PlainMoment<n>(slow_, h, xi);
  // ∫ ξ·η = η0·(A0 + λ)⁻¹·(e^{(A0+λ)h} − I)·ξ0, and ∫ η² = η0²·(e^{2λh} − 1)/(2λ).
  const AugVector<n> grown = std::exp(fast_ * h) * (Transition<n>(slow_, h) * xi) - xi;
  const AugVector<n> cross = eta * ShiftedSolve<n>(slow_, fast_, grown);
  W.col(f) += cross;
  W.row(f) += cross.transpose();
  W(f, f) = eta * eta * std::expm1(2 * fast_ * h) / (2 * fast_);
  return Tinv_ * W * Tinv_.transpose();
}

template <int n>
AugComplexVector<n> Propagator<n>::Fourier(double h, const AugVector<n>& z0, int k) const {
  using Complex = std::complex<double>;
  if (!split_) return PlainFourier<n>(A_, h, z0, k);
  constexpr int f = kVD;
  const AugVector<n> y = T_ * z0;
  AugVector<n> xi = y;
  xi(f) = 0;
  AugComplexVector<n> F = PlainFourier<n>(slow_, h, xi, k);
  // η0·∫ e^{(λ − j·k)·s} ds
  const Complex rate(fast_, -k);
  F(f) = y(f) * (std::exp(rate * h) - 1.0) / rate;
  return Tinv_.template cast<Complex>() * F;
}

template class Propagator<4>;
template class Propagator<5>;
template class Propagator<6>;

}  // namespace classe::circuit
