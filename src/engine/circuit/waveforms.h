// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <vector>

#include "engine/circuit/result.h"
#include "engine/circuit/stage.h"

namespace classe::circuit {

// The steady state sampled for plotting at teta_j = 4π·j/M, j = 0…M: two
// periods, the switch open on [0, π] and [2π, 3π]. At teta = π and 3π the
// sample is the value just before the switch closes; at 2π and 4π the one
// just before it opens.
struct Waveforms {
  std::vector<double> vD;       // V, drain voltage (= voltage on C1)
  std::vector<double> isw;      // A, switch current, drain to ground
  std::vector<double> iC1;      // A, into C1
  std::vector<double> iBranch;  // A, in C2 and L2 towards the load (the ideal design's Ir)
};

// 32 bytes a sample; the caller judges memory before asking for many.
inline constexpr long long kMaxWaveformIntervals = 10'000'000;

Result<Waveforms> SampleWaveforms(const Stage& stage, long long M);

}  // namespace classe::circuit
