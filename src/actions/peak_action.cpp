// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/peak_action.h"

#include "actions/sampling_prologue.h"
#include "actions/value_boxes.h"

namespace classe {

Outcome ShowPeakValues(DesignState& s, Controls& ui) {
  if (const Outcome admitted = AdmitSampling(s, ui, kPeakWaveforms); admitted != Outcome::Done)
    return admitted;
  return RunGuarded(ui, [&] {
    PrepareSampling(s, ui);
    SampleWaveforms(s, kPeakWaveforms);
    FindVc1Max(s);
    ShowValue(ui, boxes::Vc1max, s.Vc1max);
    FindIswMax(s);
    ShowValue(ui, boxes::Iswmax, s.Iswmax);
    FindIrMax(s);
    ShowValue(ui, boxes::Irmax, s.Irmax);
    return Outcome::Done;
  });
}

}  // namespace classe
