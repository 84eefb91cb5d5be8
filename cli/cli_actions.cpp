#include "cli/cli_actions.h"

#include <array>

#include "actions/compute_action.h"
#include "actions/final_circuit_action.h"
#include "actions/matching_action.h"
#include "actions/peak_action.h"
#include "actions/sampling_prologue.h"
#include "actions/verify_action.h"
#include "cli/report.h"

namespace classe::cli {
namespace {

// The second step runs only when the first has run to its end: "rete" computes
// the design first and "verifica" fills the final circuit first, as a user
// must before those buttons can be pressed.
template <Outcome (*First)(DesignState&, Controls&), Outcome (*Second)(DesignState&, Controls&)>
Outcome Then(DesignState& s, RecordingControls& ui) {
  const Outcome outcome = First(s, ui);
  return outcome == Outcome::Done ? Second(s, ui) : outcome;
}

template <Outcome (*Action)(DesignState&, Controls&)>
Outcome Run(DesignState& s, RecordingControls& ui) {
  return Action(s, ui);
}

constexpr std::array kActions{
    CliAction{"componenti", "Calcola Componenti, Tensioni e Correnti (R, L1, C1, C2, L2, IDC)",
              Run<ComputeComponents>, PrintValues, PrintJsonReport},
    CliAction{"picchi", "Vc1 max, Isw max, Ir picco", Run<ShowPeakValues>, PrintValues,
              PrintJsonReport},
    CliAction{"rete", "componenti, poi Calcola rete adattamento (L, C)",
              Then<ComputeComponents, ShowMatchingNetwork>, PrintValues, PrintJsonReport},
    CliAction{"circuito", "Circuito definitivo (valori dello schema finale)",
              Run<ShowFinalCircuit>, PrintValues, PrintJsonReport},
    CliAction{"verifica", "circuito, poi Verifica (tg(psi) ver., Po ver.)",
              Then<ShowFinalCircuit, VerifyCircuit>, PrintValues, PrintJsonReport},
    CliAction{"campioni", "i campioni di Vc1, Isw, Ic1, Ir su due periodi, in CSV",
              Run<SampleAllWaveforms>,
              PrintSamples, PrintJsonReport},
};

}  // namespace

std::span<const CliAction> CliActions() {
  return kActions;
}

const CliAction* FindCliAction(std::string_view name) {
  for (const CliAction& action : kActions) {
    if (action.name == name) return &action;
  }
  return nullptr;
}

}  // namespace classe::cli
