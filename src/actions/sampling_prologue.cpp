// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/sampling_prologue.h"

#include "actions/input_fields.h"
#include "engine/design/design_equations.h"
#include "engine/design/sample_budget.h"
#include "engine/design/waveforms.h"

namespace classe {

Outcome AdmitSampling(DesignState& s, Controls& ui, WaveformSet which,
                      std::uint64_t extraBytesPerSample) {
  if (!CheckFields(s, ui, kSamplingFields)) return Outcome::Rejected;
  const auto refusal =
      SampleCountRefusal(ui.text(fields::M.control), which, s, extraBytesPerSample);
  if (refusal) {
    ui.fault(*refusal);
    return Outcome::Refused;
  }
  return Outcome::Done;
}

void PrepareSampling(DesignState& s, Controls& ui, const std::function<void()>& afterVon) {
  ComputeDesign(s, ReadDesignTexts(ui), afterVon);
  s.phi = OutputCurrentPhase();
  SetSampleCount(s, ui.text(fields::M.control));
}

Outcome SampleAllWaveforms(DesignState& s, Controls& ui) {
  if (const Outcome admitted = AdmitSampling(s, ui, kAllWaveforms); admitted != Outcome::Done)
    return admitted;
  return RunGuarded(ui, [&] {
    PrepareSampling(s, ui);
    SampleWaveforms(s, kAllWaveforms);
    return Outcome::Done;
  });
}

}  // namespace classe
