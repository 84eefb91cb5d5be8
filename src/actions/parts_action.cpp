// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/parts_action.h"

#include <algorithm>
#include <cmath>

#include "actions/form5_controls.h"
#include "actions/input_fields.h"
#include "actions/parts_tables.h"
#include "engine/design/display_format.h"
#include "engine/design/text_input.h"
#include "engine/parts/bill_of_materials.h"

namespace classe {
namespace {

using parts::BoughtPart;
using parts::Knob;

std::string Percent(double fraction) {
  return Format(100 * fraction, kFixed2);
}

std::string_view UnitOf(const BoughtPart& part) {
  return part.capacitor ? "F" : "H";
}

void Clear(Controls& ui) {
  for (const Control& cell : parts_tables::ValueCells())
    ui.setCaption(cell, "");
  ui.setCaption(form5::Label7, "");
  ui.setCaption(form5::Label8, "");
}

void ShowPartsTable(const PartsRun& run, Controls& ui) {
  using namespace parts_tables;
  int row = 1;
  for (const BoughtPart& part : run.purchase.parts) {
    const std::string_view unit = UnitOf(part);
    const auto cell = [&](PartsColumn column, std::string text) {
      ui.setCaption(PartsCell(row, column), text);
    };
    cell(PartsColumn::Ref, part.ref + (part.adjustable ? " (regolabile)" : ""));
    cell(PartsColumn::Design, parts::ValueWithUnit(part.value, unit));
    cell(PartsColumn::Bought, parts::ValueWithUnit(part.standard, unit));
    cell(PartsColumn::Pair, part.pair ? parts::PairText(*part.pair, unit) : "");
    cell(PartsColumn::Change, Percent(part.standard / part.value - 1));
    cell(PartsColumn::Vpeak, Format(part.rating.voltage, kScientific3));
    cell(PartsColumn::Vrms, Format(part.rating.rmsVoltage, kScientific3));
    cell(PartsColumn::Ipeak, Format(part.rating.current, kScientific3));
    cell(PartsColumn::Irms, Format(part.rating.rmsCurrent, kScientific3));
    cell(PartsColumn::Rating, part.ratingV ? Format(*part.ratingV, kWhole) : "oltre 2000");
    cell(PartsColumn::Loss, part.dissipation ? Format(*part.dissipation, kScientific3) : "");
    ++row;
  }
}

void ShowRetune(const PartsRun& run, Controls& ui) {
  using namespace parts_tables;
  const parts::Retune& r = run.purchase.retune;
  int row = 1;
  const auto line = [&](std::string caption, std::string value, std::string change) {
    ui.setCaption(RetuneCell(row, 0), caption);
    ui.setCaption(RetuneCell(row, 1), value);
    ui.setCaption(RetuneCell(row, 2), change);
    ++row;
  };
  for (Knob knob : r.knobs) {
    const double tuned = parts::KnobValue(r.stage, knob);
    const double designed = parts::KnobValue(run.design, knob);
    const char* caption = knob == Knob::L2         ? "L2"
                          : knob == Knob::R        ? "R"
                          : knob == Knob::NetworkL ? "L rete"
                                                   : "C rete";
    const std::string_view unit = knob == Knob::R ? "Ω" : knob == Knob::NetworkC ? "F" : "H";
    line(caption, parts::ValueWithUnit(tuned, unit), Percent(tuned / designed - 1));
  }
  const circuit::SteadyState& s = r.steady;
  line("Po [W]", Format(s.power.load, kScientific3), Percent(s.power.load / run.Po - 1));
  line("rendimento [%]", Format(100 * s.efficiency, kFixed2), "");
  line("Vpicco drain [V]", Format(s.vPeak, kScientific3), "");
  line("Vcc per Po esatta [V]", Format(r.VccTrim, kScientific3),
       Percent(r.VccTrim / r.stage.Vcc - 1));
  line("Vacc/Vpicco [%]", Format(100 * s.vonFraction, kScientific3), "");
  line("dv/dteta all'accensione [V/rad]", Format(s.slopeTurnOn, kScientific3), "");
}

void ShowSensitivities(const PartsRun& run, Controls& ui) {
  using namespace parts_tables;
  int row = 1;
  for (const parts::Sensitivity& s : run.sensitivity) {
    const auto cell = [&](SensitivityColumn column, std::string text) {
      ui.setCaption(SensitivityCell(row, column), text);
    };
    cell(SensitivityColumn::Ref, s.ref);
    cell(SensitivityColumn::DlnPo, Format(s.dlnPo, kFixed2));
    cell(SensitivityColumn::Dvon, Format(s.dvon, kFixed2));
    cell(SensitivityColumn::PoUp, Percent(s.poUp));
    cell(SensitivityColumn::PoDown, Percent(s.poDown));
    cell(SensitivityColumn::VonUp, Percent(s.vonUp));
    cell(SensitivityColumn::VonDown, Percent(s.vonDown));
    ++row;
  }
}

// Why the retune turns the knobs it turns.
std::string KnobsNote(const parts::Retune& r) {
  const bool netC = std::ranges::count(r.knobs, Knob::NetworkC) > 0;
  const bool netL = std::ranges::count(r.knobs, Knob::NetworkL) > 0;
  if (netC && !netL)
    return "Con RL maggiore di R la L della rete è in serie con L2: la resistenza vista si regola "
           "con la C della rete, che va presa variabile (compensatore).";
  if (netL)
    return "La resistenza vista si regola con la L della rete; la C della rete resta quella "
           "acquistata.";
  return "Senza rete la resistenza vista è il carico: R è la resistenza che lo stadio deve "
         "vedere.";
}

}  // namespace

std::optional<parts::PartChoice> ReadPartChoice(Controls& ui, Outcome& outcome) {
  DesignState check;
  if (!CheckFields(check, ui, kPartsFields)) {
    outcome = Outcome::Rejected;
    return std::nullopt;
  }
  parts::PartChoice choice;
  const auto capacitors = parts::ParseSeries(ui.text(kCapacitorSeries.control));
  const auto inductors = parts::ParseSeries(ui.text(kInductorSeries.control));
  if (!capacitors || !inductors) {
    ui.fault("Serie non riconosciuta: scegli continua, E6, E12, E24, E48 o E96.");
    outcome = Outcome::Refused;
    return std::nullopt;
  }
  choice.capacitors = *capacitors;
  choice.inductors = *inductors;
  choice.pairs = ui.isChecked(form5::Check1);
  choice.margin = Val(ui.text(fields::margine.control));
  if (!(std::isfinite(choice.margin) && choice.margin >= 1 && choice.margin <= 100)) {
    ui.fault("Il margine di tensione deve essere un numero tra 1 e 100 (ad es. 1.5).");
    outcome = Outcome::Refused;
    return std::nullopt;
  }
  return choice;
}

circuit::Result<PartsRun> ComputeParts(const circuit::Stage& design, double Po,
                                       const parts::PartChoice& choice) {
  PartsRun made;
  made.design = design;
  made.Po = Po;
  made.choice = choice;
  circuit::Result<parts::Purchase> purchase = parts::PlanPurchase(design, Po, choice);
  if (!purchase) return purchase.failure();
  made.purchase = std::move(purchase).value();
  circuit::Result<std::vector<parts::Sensitivity>> sensitivity = parts::Sensitivities(design);
  if (!sensitivity) return sensitivity.failure();
  made.sensitivity = std::move(sensitivity).value();
  made.adjustable = parts::AdjustablePart(made.sensitivity);
  return made;
}

void ClearParts(Controls& ui) {
  ui.loadWindow(Window::Form5);
  Clear(ui);
}

Outcome ShowPartsRun(const PartsRun& run, Controls& ui) {
  return RunGuarded(ui, [&] {
    ShowPartsTable(run, ui);
    ShowRetune(run, ui);
    ShowSensitivities(run, ui);
    ui.setCaption(form5::Label7, BenchGuide(run));
    ui.setCaption(form5::Label8, KnobsNote(run.purchase.retune));
    return Outcome::Done;
  });
}

std::optional<PartsJob> PrepareParts(RealCircuitState& circuit, Controls& ui, Outcome& outcome) {
  // The main window's fields and the real circuit's are checked first, as
  // their windows check them.
  auto prepared = PrepareRealCircuit(circuit, ui, Designs::Exact);
  if (const Outcome* refused = std::get_if<Outcome>(&prepared)) {
    outcome = *refused;
    return std::nullopt;
  }
  std::optional<parts::PartChoice> choice = ReadPartChoice(ui, outcome);
  if (!choice) return std::nullopt;
  ClearParts(ui);
  return PartsJob{std::get<RealCircuitJob>(std::move(prepared)), *choice};
}

PartsJobResult ComputePartsJob(const PartsJob& job) {
  PartsJobResult result;
  result.designs = ComputeRealCircuit(job.design);
  if (result.designs.exact && *result.designs.exact) {
    const RealCircuitRun& exact = **result.designs.exact;
    result.parts = ComputeParts(exact.stage, exact.steady.power.load, job.choice);
  }
  return result;
}

Outcome ShowPartsJobResult(RealCircuitState& circuit, PartsJobResult result,
                           std::optional<PartsRun>& run, Controls& ui) {
  run.reset();
  // A design the engine cannot give has said why in its column's fault.
  const Outcome outcome = ShowRealCircuitResults(circuit, ui, std::move(result.designs));
  if (outcome != Outcome::Done) return outcome;
  if (!result.parts) return Outcome::Fault;
  circuit::Result<PartsRun>& made = *result.parts;
  if (!made) {
    ui.fault(made.failure().message);
    return Outcome::Fault;
  }
  const Outcome shown = ShowPartsRun(*made, ui);
  if (shown == Outcome::Done) run = std::move(made).value();
  return shown;
}

Outcome ShowParts(RealCircuitState& circuit, std::optional<PartsRun>& run, Controls& ui) {
  run.reset();
  Outcome outcome = Outcome::Done;
  const std::optional<PartsJob> job = PrepareParts(circuit, ui, outcome);
  if (!job) return outcome;
  return ShowPartsJobResult(circuit, ComputePartsJob(*job), run, ui);
}

circuit::Result<circuit::SpiceDeck> PartsDeck(const PartsRun& run) {
  return circuit::WriteSpiceDeck(run.purchase.retune.stage);
}

}  // namespace classe
