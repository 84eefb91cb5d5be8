#include "actions/peak_action.h"

#include "design/design_equations.h"
#include "design/display_format.h"
#include "actions/input_fields.h"
#include "design/sample_budget.h"
#include "design/waveforms.h"

namespace classe {

bool AcceptSampleCount(const DesignState& state, Controls& ui, WaveformSet which,
                       std::uint64_t extraBytesPerSample) {
  const auto refusal =
      SampleCountRefusal(ui.text(Window::Form1, "Text9"), which, state, extraBytesPerSample);
  if (refusal) ui.fault(*refusal);
  return !refusal;
}

Outcome ShowPeakValues(DesignState& s, Controls& ui) {
  if (!CheckFields(s, ui, SamplingFields())) return Outcome::Rejected;
  if (!AcceptSampleCount(s, ui, kPeakWaveforms)) return Outcome::Refused;
  return RunGuarded(ui, [&] {
    ComputeDesign(s, ReadDesignTexts(ui));
    s.phi = OutputCurrentPhase();
    SetSampleCount(s, ui.text(Window::Form1, "Text9"));
    SampleWaveforms(s, kPeakWaveforms);
    FindVc1Max(s);
    ui.setCaption(Window::Form1, "Label43", Format(s.Vc1max, "0.000E+00"));
    FindIswMax(s);
    ui.setCaption(Window::Form1, "Label41", Format(s.Iswmax, "0.000E+00"));
    FindIrMax(s);
    ui.setCaption(Window::Form1, "Label37", Format(s.Irmax, "0.000E+00"));
    return Outcome::Done;
  });
}

}  // namespace classe
