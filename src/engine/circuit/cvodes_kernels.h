// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <nvector/nvector_serial.h>
#include <sundials/sundials_linearsolver.h>

namespace classe::circuit {

// The vector and linear-solver kernels CVODES runs on, for states of a few
// entries. SUNDIALS takes both from the application by design (its NVECTOR
// and SUNLinearSolver interfaces); the integration itself stays CVODES'.
// Debian builds the library's own kernels without optimisation, and on four
// to six entries their calls were four fifths of every step.

// Replaces the arithmetic of a serial vector (and of every vector CVODES
// clones from it) by loops compiled here; the data stay the serial layout.
void UseLocalKernels(N_Vector v);

// A direct solver for a Newton matrix made of identical n × n blocks down
// the diagonal: CVODES hands it the one block (an n × n dense matrix, I − γJ)
// and vectors of any multiple of n entries, solved block by block with one
// LU. Null when it cannot be made.
SUNLinearSolver BlockDiagonalSolver(SUNContext context, int n);

}  // namespace classe::circuit
