// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <functional>

#include "actions/action.h"
#include "actions/controls.h"
#include "engine/design/design_state.h"
#include "engine/design/sampling.h"

namespace classe {

// How every sampling action begins (the peaks, the graphs, the command line's
// samples), in two steps around the action's own.

// Before anything changes: the checks of Text1…Text7 and Text9, then M judged
// against memory (a negative M, or arrays that would not fit with
// `extraBytesPerSample` more per sample, are refused with a message).
// Done when the action may go on.
Outcome AdmitSampling(DesignState& state, Controls& ui, WaveformSet which,
                      std::uint64_t extraBytesPerSample = 0);

// Inside the action's guard: the design from the fields (`afterVon` as in
// ComputeDesign), the phase of the output current and M, which is what the
// sampling reads.
void PrepareSampling(DesignState& state, Controls& ui, const std::function<void()>& afterVon = {});

// The samples of all four waveforms from the fields, taken as the graphs
// take them but drawn nowhere: for the samples' export and the command line.
Outcome SampleAllWaveforms(DesignState& state, Controls& ui);

}  // namespace classe
