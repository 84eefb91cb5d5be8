// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/design/waveforms.h"

#include <cmath>

#include "engine/design/fault.h"

namespace classe {

double OutputCurrentPhase() {
  return std::atan(-2 / kPi);
}

void EvaluateWaveforms(DesignState& state) {
  WaveformModel::From(state).Evaluate(state.teta, [&state](Waveform w, double value) {
    switch (w) {
      case Waveform::Vc1:
        return state.Vc1 = Checked("Vc1", value);
      case Waveform::IrTeta:
        return state.IrTeta = Checked("Ir", value);
      case Waveform::Ic1:
        return state.Ic1 = Checked("Ic1", value);
      case Waveform::Isw:
        return state.Isw = Checked("Isw", value);
    }
    return value;
  });
}

}  // namespace classe
