// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/transition.h"

#include <unsupported/Eigen/MatrixFunctions>

namespace classe::circuit {

template <int n>
AugMatrix<n> Transition(const AugMatrix<n>& A, double h) {
  const AugMatrix<n> Ah = A * h;
  return Ah.exp();
}

template AugMatrix<4> Transition<4>(const AugMatrix<4>&, double);
template AugMatrix<5> Transition<5>(const AugMatrix<5>&, double);
template AugMatrix<6> Transition<6>(const AugMatrix<6>&, double);

}  // namespace classe::circuit
