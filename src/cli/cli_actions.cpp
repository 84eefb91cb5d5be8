// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "cli/cli_actions.h"

#include <array>

#include "actions/compute_action.h"
#include "actions/final_circuit_action.h"
#include "actions/matching_action.h"
#include "actions/peak_action.h"
#include "actions/sampling_prologue.h"
#include "actions/verify_action.h"
#include "cli/analysis_actions.h"
#include "cli/report.h"
#include "engine/document/atomic_write.h"
#include "engine/parts/bill_of_materials.h"

namespace classe::cli {
namespace {

template <Outcome (*Action)(DesignState&, Controls&)>
Outcome Run(Session& s) {
  return Action(s.state, s.ui);
}

// The second step runs only when the first has run to its end: "rete" computes
// the design first and "verifica" fills the final circuit first, as a user
// must before those buttons can be pressed.
template <Outcome (*First)(DesignState&, Controls&), Outcome (*Second)(DesignState&, Controls&)>
Outcome Then(Session& s) {
  const Outcome outcome = First(s.state, s.ui);
  return outcome == Outcome::Done ? Second(s.state, s.ui) : outcome;
}

template <Designs which>
Outcome RunRealCircuit(Session& s) {
  return ShowRealCircuit(s.circuit, s.ui, which);
}

Outcome BuyParts(Session& s) {
  const Outcome outcome = ShowParts(s.circuit, s.parts, s.ui);
  if (outcome != Outcome::Done || !s.bomPath) return outcome;
  if (const auto failed =
          document::WriteAtomically(*s.bomPath, parts::BillOfMaterialsCsv(s.parts->purchase))) {
    s.ui.fault("Distinta base non scritta in " + *s.bomPath + ": " + *failed);
    return Outcome::Fault;
  }
  return outcome;
}

// The deck needs only the design it is of; with the parts' fields, the parts
// as bought and retuned.
Outcome WriteDeck(Session& s) {
  if (s.boughtParts) {
    const Outcome outcome = ShowParts(s.circuit, s.parts, s.ui);
    if (outcome != Outcome::Done) return outcome;
    auto deck = PartsDeck(*s.parts);
    if (!deck) {
      s.ui.fault(deck.failure().message);
      return Outcome::Fault;
    }
    s.deck = std::move(deck).value();
    return Outcome::Done;
  }
  const Outcome outcome =
      ShowRealCircuit(s.circuit, s.ui, ExactDesignChosen(s.ui) ? Designs::Exact : Designs::Ideal);
  if (outcome != Outcome::Done) return outcome;
  auto deck = ChosenDeck(s.circuit, s.ui);
  if (!deck) {
    s.ui.fault(deck.failure().message);
    return Outcome::Fault;
  }
  s.deck = std::move(deck).value();
  return Outcome::Done;
}

// What the report shows: the design, its network and peaks, the final
// circuit, and both designs in the real circuit. A design the real circuit
// cannot give is said and left out, as its window does, while the other is
// there to report.
Outcome RunForReport(Session& s) {
  for (auto* step : {ComputeComponents, ShowMatchingNetwork, ShowPeakValues, ShowFinalCircuit}) {
    const Outcome outcome = step(s.state, s.ui);
    if (outcome != Outcome::Done) return outcome;
  }
  const Outcome outcome = ShowRealCircuit(s.circuit, s.ui, Designs::Both);
  return outcome == Outcome::Fault && (s.circuit.ideal || s.circuit.exact) ? Outcome::Done
                                                                           : outcome;
}

constexpr std::array kActions{
    CliAction{"componenti", "Calcola Componenti, Tensioni e Correnti (R, L1, C1, C2, L2, IDC)",
              Run<ComputeComponents>, PrintValues, PrintJsonReport},
    CliAction{"picchi", "Vc1 max, Isw max, Ir picco", Run<ShowPeakValues>, PrintValues,
              PrintJsonReport},
    CliAction{"rete", "componenti, poi Calcola rete adattamento (L, C)",
              Then<ComputeComponents, ShowMatchingNetwork>, PrintValues, PrintJsonReport},
    CliAction{"circuito", "Circuito definitivo (valori dello schema finale)", Run<ShowFinalCircuit>,
              PrintValues, PrintJsonReport},
    CliAction{"verifica", "circuito, poi Verifica (tg(psi) ver., Po ver.)",
              Then<ShowFinalCircuit, VerifyCircuit>, PrintValues, PrintJsonReport},
    CliAction{"campioni", "i campioni di Vc1, Isw, Ic1, Ir su due periodi, in CSV",
              Run<SampleAllWaveforms>, PrintSamples, PrintJsonReport},
    CliAction{"simula", "il progetto ideale nel circuito reale: quanto si discosta",
              RunRealCircuit<Designs::Ideal>, PrintValues, PrintJsonRealCircuit},
    CliAction{"esatto", "il progetto esatto a Q finito e che cosa dà nel circuito reale",
              RunRealCircuit<Designs::Exact>, PrintValues, PrintJsonRealCircuit},
    CliAction{"spice", "la netlist per ngspice del progetto scelto (progetto=esatto|ideale)",
              WriteDeck, PrintDeck, PrintJsonDeck},
    CliAction{"tolleranze", "analisi delle tolleranze del progetto esatto (Monte Carlo)",
              RunTolerances, PrintToleranceSummary, PrintJsonTolerances},
    CliAction{"scansione", "analisi parametrica del progetto esatto, in CSV", RunSweepAction,
              PrintSweepCsv, PrintJsonSweep},
    CliAction{"parti", "componenti commerciali: valori di serie, ritaratura, sensibilità, distinta",
              BuyParts, PrintParts, PrintJsonParts},
    CliAction{"rapporto", "il rapporto del progetto in PDF, in pdf=FILE", RunForReport, PrintValues,
              PrintJsonRealCircuit},
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
