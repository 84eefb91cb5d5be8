// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "engine/circuit/state_space.h"

namespace classe::circuit {

// e^{A·h}: Eigen's scaling-and-squaring Padé exponential. The one place the
// matrix exponential is instantiated (it costs the compiler much per size).
template <int n>
AugMatrix<n> Transition(const AugMatrix<n>& A, double h);

}  // namespace classe::circuit
