// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "engine/circuit/result.h"
#include "engine/circuit/stage.h"

namespace classe::circuit {

// Harmonics of the current in the load (R, or RL behind the network).
struct LoadSpectrum {
  double fundamental = 0;  // A, amplitude at f
  double second = 0;       // dBc, 20·log10(|I2| / |I1|)
  double third = 0;        // dBc
};

// A harmonic below 1e-15 of the fundamental (−300 dBc) is reported as −300.
inline constexpr double kSpectrumFloorDbc = -300;

// Exact Fourier integrals of the steady state, no sampling.
Result<LoadSpectrum> ComputeLoadSpectrum(const Stage& stage);

}  // namespace classe::circuit
