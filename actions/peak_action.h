#pragma once

#include "actions/action.h"
#include "actions/controls.h"
#include "design/design_state.h"
#include "design/sampling.h"

namespace classe {

// "Vc1 max,Isw max, Ir picco": checks Text1…Text7 and Text9, computes the
// design, samples Vc1, Isw and Ir at M + 1 angles and shows their largest
// samples in Label43, Label41 and Label37.
Outcome ShowPeakValues(DesignState& state, Controls& ui);

// After the checks of a sampling action: refuses a negative M, or one whose
// arrays (and `extraBytesPerSample` more per sample) would not fit in memory,
// with a message before anything changes.
bool AcceptSampleCount(const DesignState& state, Controls& ui, WaveformSet which,
                       std::uint64_t extraBytesPerSample = 0);

}  // namespace classe
