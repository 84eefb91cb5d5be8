#include "cli/actions.h"

#include "actions/compute_action.h"
#include "design/design_equations.h"
#include "actions/input_fields.h"
#include "actions/peak_action.h"
#include "design/sampling.h"
#include "design/waveforms.h"
#include "actions/final_circuit_action.h"
#include "actions/matching_action.h"
#include "actions/verify_action.h"

namespace classe::cli {
namespace {

Outcome SampleAll(DesignState& s, Controls& ui) {
  if (!CheckFields(s, ui, SamplingFields())) return Outcome::Rejected;
  if (!AcceptSampleCount(s, ui, kAllWaveforms)) return Outcome::Refused;
  return RunGuarded(ui, [&] {
    ComputeDesign(s, ReadDesignTexts(ui));
    s.phi = OutputCurrentPhase();
    SetSampleCount(s, ui.text(Window::Form1, "Text9"));
    SampleWaveforms(s, kAllWaveforms);
    return Outcome::Done;
  });
}

// The second step runs only when the first has run to its end.
template <class First, class Second>
Outcome Then(DesignState& s, RecordingControls& ui, First first, Second second) {
  const Outcome outcome = first(s, ui);
  return outcome == Outcome::Done ? second(s, ui) : outcome;
}

}  // namespace

Outcome RunAction(std::string_view action, DesignState& s, RecordingControls& ui) {
  if (action == "componenti") return ComputeComponents(s, ui);
  if (action == "picchi") return ShowPeakValues(s, ui);
  if (action == "rete") return Then(s, ui, ComputeComponents, ShowMatchingNetwork);
  if (action == "circuito") return ShowFinalCircuit(s, ui);
  if (action == "verifica") return Then(s, ui, ShowFinalCircuit, VerifyCircuit);
  return SampleAll(s, ui);
}

}  // namespace classe::cli
