// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string_view>

#include "engine/design/design_state.h"

namespace classe {

// Which sample arrays a sampling fills.
struct WaveformSet {
  bool Vc1 = false;
  bool Isw = false;
  bool Ic1 = false;
  bool Ir = false;

  int count() const { return int{Vc1} + int{Isw} + int{Ic1} + int{Ir}; }
};

// The peak action samples Vc1, Isw and Ir; the graphs sample all four.
inline constexpr WaveformSet kPeakWaveforms{true, true, false, true};
inline constexpr WaveformSet kAllWaveforms{true, true, true, true};

// M from the text of its field: the leading number, rounded to the nearest
// 32-bit integer, halves to even. Beyond that range, or so large that M + 2
// leaves it, is an overflow fault.
void SetSampleCount(DesignState& state, std::string_view text);

// Angle of sample i of M: the product first, then the division; the last
// sample lies exactly on the bound 4π, whatever the rounding.
double SampleAngle(std::int64_t i, std::int32_t M);

// Creates each named array anew (indices 0…M + 2, all zero) and fills indices
// 0…M with the model at teta_i = (i·4π)/M; the last sample lies exactly on
// 4π. Leaves teta and the four instantaneous fields at the last angle. An
// arithmetic fault (M = 0 makes the first angle 0/0) throws at its sample,
// with the samples before it kept and the rest of the arrays zero.
void SampleWaveforms(DesignState& state, WaveformSet which);

// Largest element over indices 0…M, into Vc1max, Iswmax, Ic1max, Irmax. A scan
// never reads past what its array holds: the capacitor-current array keeps
// the length of the last graph, which may be shorter than the current M.
void FindVc1Max(DesignState& state);
void FindIswMax(DesignState& state);
void FindIc1Max(DesignState& state);
void FindIrMax(DesignState& state);

}  // namespace classe
