// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/analysis_action.h"

#include <charconv>

#include "actions/analysis_fields.h"
#include "actions/field_text.h"
#include "actions/parts_action.h"
#include "engine/parts/retune.h"

namespace classe {
namespace {

using statistics::Distribution;
using statistics::SweepVariable;

constexpr const char* kDecimalHint =
    ": scrivi un numero con il punto come separatore decimale, anche in forma esponenziale. Ad "
    "es: 1.23 , 1E-5 , 5E3";

std::string InvalidText(const AnalysisField& field, const char* hint) {
  return "Errore di inserimento dati per " + std::string(field.what) + hint;
}

std::optional<double> Decimal(Controls& ui, const AnalysisField& field, std::string& error) {
  const auto value = ParseDecimal(ui.text(field.control));
  if (!value && error.empty()) error = InvalidText(field, kDecimalHint);
  return value;
}

std::optional<std::int64_t> Whole(Controls& ui, const AnalysisField& field, std::string& error) {
  const auto value = ParseWhole(ui.text(field.control));
  if (!value && error.empty())
    error = InvalidText(field, ": scrivi un numero intero senza segno. Ad es: 2000");
  return value;
}

// The exact design of the real-circuit fields; its column shows it, and a
// stage that has none stops the analysis with the reason already given.
Outcome ExactNominal(RealCircuitState& state, Controls& ui, std::optional<circuit::Stage>& out) {
  const Outcome outcome = ShowRealCircuit(state, ui, Designs::Exact);
  if (outcome != Outcome::Done) return outcome;
  if (!state.exact) return Outcome::Fault;
  out = state.exact->stage;
  return Outcome::Done;
}

// 4 significant digits, the point as separator whatever the locale.
std::string Number(double x) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, x, std::chars_format::general, 4).ptr;
  return std::string(text, end);
}

std::string Percent(double fraction) {
  char text[32];
  const auto end =
      std::to_chars(text, text + sizeof text, 100 * fraction, std::chars_format::fixed, 1).ptr;
  return std::string(text, end) + " %";
}

// At the bench L2 and the load seen are turned back to class E on each
// build, from the design the builder aims at.
statistics::Retune BenchRetune(const circuit::Stage& design, double Po) {
  return [design, Po](const circuit::Stage& built) -> circuit::Result<circuit::Stage> {
    auto tuned = parts::RetuneStage(built, Po, &design);
    if (!tuned) return tuned.failure();
    return std::move(tuned).value().stage;
  };
}

}  // namespace

Outcome RejectField(Controls& ui, const std::string& text) {
  ui.message(text);
  return Outcome::Rejected;
}

Outcome PrepareTolerances(RealCircuitState& state, Controls& ui, int threads, bool bought,
                          std::optional<ToleranceJob>& job) {
  using namespace analysis;
  job.reset();
  std::string error;
  statistics::ToleranceSettings settings;
  const auto C = Decimal(ui, tolC, error);
  const auto L = Decimal(ui, tolL, error);
  const auto R = Decimal(ui, tolR, error);
  const auto Coss = Decimal(ui, tolCoss, error);
  const auto Ron = Decimal(ui, tolRon, error);
  const auto builds = Whole(ui, prove, error);
  const auto seed = Whole(ui, seme, error);
  const auto band = Decimal(ui, banda, error);
  const auto vonBand = Decimal(ui, bandaVon, error);
  if (!error.empty()) return RejectField(ui, error);
  settings.tolerances = {*C / 100, *L / 100, *R / 100, *Coss / 100, *Ron / 100};
  settings.builds = *builds;
  settings.seed = static_cast<std::uint64_t>(*seed);
  settings.poBand = *band / 100;
  settings.vonBand = *vonBand / 100;
  settings.distribution =
      SelectedOption(ui, distribuzione) == 1 ? Distribution::Normal : Distribution::Uniform;
  settings.threads = threads;
  if (const auto bad = statistics::CheckToleranceSettings(settings)) return RejectField(ui, *bad);

  std::optional<parts::PartChoice> choice;
  if (bought) {
    Outcome read = Outcome::Done;
    choice = ReadPartChoice(ui, read);
    if (!choice) return read;
  }
  std::optional<circuit::Stage> nominal;
  const Outcome outcome = ExactNominal(state, ui, nominal);
  if (outcome != Outcome::Done) return outcome;
  if (nominal->transistor) settings.BVdss = nominal->transistor->BVdss;
  const double Po = state.exact->steady.power.load;
  if (ui.isChecked(ritaratura.box)) settings.retune = BenchRetune(*nominal, Po);
  job = ToleranceJob{*nominal, Po, std::move(settings), choice};
  return Outcome::Done;
}

circuit::Result<statistics::MonteCarloResult> RunToleranceJob(const ToleranceJob& job,
                                                              statistics::Progress* progress) {
  if (!job.bought) return statistics::RunMonteCarlo(job.nominal, job.settings, progress);
  auto purchase = parts::PlanPurchase(job.nominal, job.Po, *job.bought);
  if (!purchase) return purchase.failure();
  // The parts as bought, tuned once at the bench: what every board of the
  // series starts from, and what its own retune aims at.
  const circuit::Stage& nominal = purchase->retune.stage;
  statistics::ToleranceSettings settings = job.settings;
  if (settings.retune) settings.retune = BenchRetune(nominal, job.Po);
  return statistics::RunMonteCarlo(nominal, settings, progress);
}

Outcome PrepareSweep(RealCircuitState& state, Controls& ui, int threads,
                     std::optional<SweepJob>& job) {
  using namespace analysis;
  job.reset();
  std::string error;
  const auto from = Decimal(ui, da, error);
  const auto to = Decimal(ui, a, error);
  const auto points = Whole(ui, punti, error);
  if (!error.empty()) return RejectField(ui, error);
  statistics::SweepSettings sweep;
  constexpr SweepVariable kVariables[] = {SweepVariable::LoadFactor, SweepVariable::Reactance,
                                          SweepVariable::Vcc, SweepVariable::Frequency};
  sweep.variable = kVariables[SelectedOption(ui, variabile)];
  // The frequency is typed in MHz, as in the main window.
  constexpr double kHzPerMHz = 1e6;
  const double unit = sweep.variable == SweepVariable::Frequency ? kHzPerMHz : 1;
  sweep.from = *from * unit;
  sweep.to = *to * unit;
  sweep.points = static_cast<int>(std::min<std::int64_t>(*points, statistics::kMaxSweepPoints + 1));
  sweep.threads = threads;

  // The range's own faults are known before any design: the stage is needed
  // only for the reactance with the network.
  if (const auto bad = statistics::CheckSweep(circuit::Stage{}, sweep))
    return RejectField(ui, *bad);
  std::optional<circuit::Stage> nominal;
  const Outcome outcome = ExactNominal(state, ui, nominal);
  if (outcome != Outcome::Done) return outcome;
  if (const auto bad = statistics::CheckSweep(*nominal, sweep)) {
    ui.fault(*bad);
    return Outcome::Refused;
  }
  job = SweepJob{*nominal, sweep};
  return Outcome::Done;
}

std::string ToleranceSummaryText(const statistics::MonteCarloResult& r,
                                 const statistics::ToleranceSettings& settings) {
  const statistics::Summary& s = r.summary;
  std::string text = "Esemplari simulati: " + std::to_string(s.builds);
  if (r.partial)
    text += " di " + std::to_string(settings.builds) + " (analisi interrotta: risultati parziali)";
  text += s.failed ? ", " + std::to_string(s.failed) + " senza regime periodico\n" : "\n";
  text += "Po nominale: " + Number(r.nominal.Po) + " W\n";
  text += "grandezza\t5 %\t50 %\t95 %\tmin\tmax\n";
  const auto row = [&](const char* name, const statistics::Spread& v, double scale) {
    text += std::string(name);
    for (double x : {v.p5, v.p50, v.p95, v.min, v.max})
      text += '\t' + Number(x * scale);
    text += '\n';
  };
  row("Po [W]", s.Po, 1);
  row("rendimento [%]", s.efficiency, 100);
  row("picco sul drain [V]", s.vPeak, 1);
  row("picco di corrente nello switch [A]", s.iSwitchPeak, 1);
  row("tensione all'accensione [% del picco]", s.vonFraction, 100);
  text += "Po entro ±" + Number(100 * settings.poBand) + " %:\t" + Percent(s.yield.Po) + '\n';
  text += "tensione all'accensione entro " + Number(100 * settings.vonBand) + " % del picco:\t" +
          Percent(s.yield.von) + '\n';
  if (s.yield.vPeak)
    text += "picco sul drain sotto V(BR)DSS (" + Number(*settings.BVdss) + " V):\t" +
            Percent(*s.yield.vPeak) + '\n';
  text += "tutte le condizioni insieme:\t" + Percent(s.yield.all) + '\n';
  return text;
}

}  // namespace classe
