// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cmath>

#include <unsupported/Eigen/MatrixFunctions>

#include "engine/circuit/propagator.h"
#include "tests/engine/circuit/support.h"

namespace classe::circuit {
namespace {

using testing::Ideal;
using testing::IdealStage;
using testing::Options;

// The free motion against Eigen's matrix exponential, and its integrals
// against Van Loan's block exponentials, each worked out at once over the
// whole step: the series, their tails, the halvings and the split of a fast
// mode must all be right to 1e-9 of the result's size.
TEST(Propagator, AgreesWithTheBlockExponentials) {
  using Matrix = Eigen::MatrixXcd;
  for (double Ron : {1e-3, 0.5}) {  // with and without a fast mode split off
    const StateSpace<4> space = BuildStateSpace<4>(IdealStage(Ideal(), Options(50.0, Ron)));
    for (const AugMatrix<4>* A : {&space.open, &space.closed}) {
      const Propagator<4> p(*A);
      // Through 1 mΩ the drain's mode is split off at A's fastest rate.
      if (Ron < 0.01 && A == &space.closed) {
        const double fastest = A->eigenvalues().real().minCoeff();
        EXPECT_NEAR(p.fastRate(), fastest, 1e-9 * std::fabs(fastest));
      }
      const AugVector<4> z = AugVector<4>::Constant(1);
      const Eigen::Index m = A->rows();
      // A step of many periods goes through the exponential, not the short-step series.
      const AugVector<4> far = (*A * 100.0).exp() * z;
      EXPECT_LE((p.Advance(100, z) - far).norm(), 1e-9 * far.norm());
      for (double h : {1e-6, 1e-3, 0.7, 3.1}) {
        SCOPED_TRACE(::testing::Message() << "Ron " << Ron << ", h " << h);
        const AugMatrix<4> E = (*A * h).exp();
        EXPECT_LE((p.Exp(h) - E).norm(), 1e-9 * E.norm());
        EXPECT_LE((p.Advance(h, z) - E * z).norm(), 1e-9 * (E * z).norm());
        // W = ∫ e^{A·s}·z·zᵀ·e^{Aᵀ·s} ds solves A·W + W·Aᵀ = E·z·zᵀ·Eᵀ − z·zᵀ; and
        // it is G·Fᵀ from e^{[[A, z·zᵀ], [0, −Aᵀ]]·h} = [[F, G], [0, ·]] where
        // e^{−Aᵀ·h} stays of moderate size (no fast decay run backwards).
        const AugMatrix<4> W = p.Moment(h, z);
        const AugMatrix<4> Q = z * z.transpose();
        const AugMatrix<4> grown = E * Q * E.transpose();
        EXPECT_LE((*A * W + W * A->transpose() - grown + Q).norm(),
                  1e-9 * (grown.norm() + Q.norm()));
        Eigen::MatrixXd vanLoan = Eigen::MatrixXd::Zero(2 * m, 2 * m);
        vanLoan << *A, Q, Eigen::MatrixXd::Zero(m, m), -A->transpose();
        const Eigen::MatrixXd block = (vanLoan * h).exp();
        if (block.bottomRightCorner(m, m).norm() < 1e3) {
          const Eigen::MatrixXd G = block.topRightCorner(m, m);
          EXPECT_LE((W - G * block.topLeftCorner(m, m).transpose()).norm(), 1e-12 * W.norm());
        }
        // ∫ e^{−j·k·s}·e^{A·s}·z ds from e^{[[A − j·k, z], [0, 0]]·h}.
        for (int k : {1, 3}) {
          Matrix shifted = Matrix::Zero(m + 1, m + 1);
          shifted.topLeftCorner(m, m) =
              A->cast<std::complex<double>>() - std::complex<double>(0, k) * Matrix::Identity(m, m);
          shifted.topRightCorner(m, 1) = z.cast<std::complex<double>>();
          const Eigen::VectorXcd F = (shifted * h).exp().topRightCorner(m, 1);
          EXPECT_LE((p.Fourier(h, z, k) - F).norm(), 1e-9 * F.norm()) << "k " << k;
        }
      }
    }
  }
}

}  // namespace
}  // namespace classe::circuit
