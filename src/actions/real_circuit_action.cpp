// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/real_circuit_action.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "actions/coss_plot.h"
#include "actions/form4_controls.h"
#include "actions/input_fields.h"
#include "actions/real_circuit_plot.h"
#include "actions/value_boxes.h"
#include "engine/design/constants.h"
#include "engine/design/design_equations.h"
#include "engine/design/fault.h"
#include "engine/design/matching_network.h"
#include "engine/design/sample_budget.h"
#include "engine/design/sampling.h"
#include "engine/design/text_input.h"

namespace classe {
namespace {

using circuit::Failure;
using circuit::Result;

// vD, isw, iC1 and iBranch.
constexpr std::uint64_t kCurveBytesPerSample = 4 * sizeof(double);

// One row of the table: its box in each column and the value it shows, or
// nothing (no network: no network rows).
using Value = std::optional<double> (*)(const RealCircuitRun&);
struct Row {
  const ValueBox& ideal;
  const ValueBox& exact;
  Value value;
};

bool HasNetwork(const RealCircuitRun& r) {
  return r.stage.load.kind != circuit::LoadKind::Resistor;
}

// Values in SI units; the boxes scale them.
const std::array kRows{
    Row{boxes::RIdeal, boxes::RExact,
        [](const RealCircuitRun& r) -> std::optional<double> { return r.stage.R; }},
    Row{boxes::L1Ideal, boxes::L1Exact,
        [](const RealCircuitRun& r) -> std::optional<double> { return r.stage.L1; }},
    Row{boxes::C1Ideal, boxes::C1Exact,
        [](const RealCircuitRun& r) -> std::optional<double> { return r.stage.C1; }},
    Row{boxes::C1ToBuyIdeal, boxes::C1ToBuyExact,
        [](const RealCircuitRun& r) -> std::optional<double> { return r.stage.C1ToBuy(); }},
    Row{boxes::C2Ideal, boxes::C2Exact,
        [](const RealCircuitRun& r) -> std::optional<double> { return r.stage.C2; }},
    Row{boxes::L2Ideal, boxes::L2Exact,
        [](const RealCircuitRun& r) -> std::optional<double> { return r.stage.L2; }},
    Row{boxes::NetworkLIdeal, boxes::NetworkLExact,
        [](const RealCircuitRun& r) -> std::optional<double> {
          if (!HasNetwork(r)) return std::nullopt;
          return r.stage.load.L;
        }},
    Row{boxes::NetworkCIdeal, boxes::NetworkCExact,
        [](const RealCircuitRun& r) -> std::optional<double> {
          if (!HasNetwork(r)) return std::nullopt;
          return r.stage.load.C;
        }},
    Row{boxes::PoIdeal, boxes::PoExact,
        [](const RealCircuitRun& r) -> std::optional<double> { return r.steady.power.load; }},
    Row{boxes::EfficiencyIdeal, boxes::EfficiencyExact,
        [](const RealCircuitRun& r) -> std::optional<double> { return r.steady.efficiency; }},
    Row{boxes::TurnOnIdeal, boxes::TurnOnExact,
        [](const RealCircuitRun& r) -> std::optional<double> { return r.steady.vonFraction; }},
    Row{boxes::VpeakIdeal, boxes::VpeakExact,
        [](const RealCircuitRun& r) -> std::optional<double> { return r.steady.vPeak; }},
    Row{boxes::PeakRatioIdeal, boxes::PeakRatioExact,
        [](const RealCircuitRun& r) -> std::optional<double> {
          return r.steady.vPeak / r.stage.Vcc;
        }},
    Row{boxes::MarginIdeal, boxes::MarginExact,
        [](const RealCircuitRun& r) -> std::optional<double> {
          if (!r.stage.transistor || !r.stage.transistor->BVdss) return std::nullopt;
          const double BV = *r.stage.transistor->BVdss;
          return (BV - r.steady.vPeak) / BV;
        }},
    Row{boxes::SwitchPeakIdeal, boxes::SwitchPeakExact,
        [](const RealCircuitRun& r) -> std::optional<double> { return r.ratings.sw.current; }},
    Row{boxes::SecondIdeal, boxes::SecondExact,
        [](const RealCircuitRun& r) -> std::optional<double> { return r.spectrum.second; }},
    Row{boxes::ThirdIdeal, boxes::ThirdExact,
        [](const RealCircuitRun& r) -> std::optional<double> { return r.spectrum.third; }},
};

// The ratings' rows: current and voltage of one part.
struct RatingRow {
  const ValueBox& currentIdeal;
  const ValueBox& voltageIdeal;
  const ValueBox& currentExact;
  const ValueBox& voltageExact;
  circuit::ComponentRating circuit::Ratings::*part;
  bool ofNetwork = false;  // empty without a network
};

using circuit::Ratings;
const std::array kRatingRows{
    RatingRow{boxes::CurrentL1Ideal, boxes::VoltageL1Ideal, boxes::CurrentL1Exact,
              boxes::VoltageL1Exact, &Ratings::L1},
    RatingRow{boxes::CurrentC1Ideal, boxes::VoltageC1Ideal, boxes::CurrentC1Exact,
              boxes::VoltageC1Exact, &Ratings::C1},
    RatingRow{boxes::CurrentC2Ideal, boxes::VoltageC2Ideal, boxes::CurrentC2Exact,
              boxes::VoltageC2Exact, &Ratings::C2},
    RatingRow{boxes::CurrentL2Ideal, boxes::VoltageL2Ideal, boxes::CurrentL2Exact,
              boxes::VoltageL2Exact, &Ratings::L2},
    RatingRow{boxes::CurrentNetworkLIdeal, boxes::VoltageNetworkLIdeal, boxes::CurrentNetworkLExact,
              boxes::VoltageNetworkLExact, &Ratings::networkL, true},
    RatingRow{boxes::CurrentNetworkCIdeal, boxes::VoltageNetworkCIdeal, boxes::CurrentNetworkCExact,
              boxes::VoltageNetworkCExact, &Ratings::networkC, true},
    RatingRow{boxes::CurrentLoadIdeal, boxes::VoltageLoadIdeal, boxes::CurrentLoadExact,
              boxes::VoltageLoadExact, &Ratings::load},
    RatingRow{boxes::CurrentSwitchIdeal, boxes::VoltageSwitchIdeal, boxes::CurrentSwitchExact,
              boxes::VoltageSwitchExact, &Ratings::sw},
};

void Write(Controls& ui, const ValueBox& box, std::optional<double> value) {
  if (value) {
    ShowValue(ui, box, *value);
  } else {
    ui.setCaption(box.control, "");
  }
}

// A design's column, or an empty one when the design has no numbers.
void ShowColumn(Controls& ui, const std::optional<RealCircuitRun>& run, bool exact) {
  auto value = [&](auto get) { return run ? get(*run) : std::nullopt; };
  for (const Row& row : kRows)
    Write(ui, exact ? row.exact : row.ideal, value(row.value));
  for (const RatingRow& row : kRatingRows) {
    std::optional<circuit::ComponentRating> part;
    if (run && (!row.ofNetwork || HasNetwork(*run))) part = run->ratings.*row.part;
    Write(ui, exact ? row.currentExact : row.currentIdeal,
          part ? std::optional(part->current) : std::nullopt);
    Write(ui, exact ? row.voltageExact : row.voltageIdeal,
          part ? std::optional(part->voltage) : std::nullopt);
  }
  if (exact) {
    Write(ui, boxes::Iterations,
          run ? std::optional(static_cast<double>(run->iterations)) : std::nullopt);
  }
}

// Everything the window shows of a stage, or the engine's reason why not.
Result<RealCircuitRun> Run(const circuit::Stage& stage, int iterations, long long M) {
  RealCircuitRun run;
  run.stage = stage;
  run.iterations = iterations;
  auto steady = circuit::SolveSteadyState(stage);
  if (!steady) return steady.failure();
  run.steady = *steady;
  auto ratings = circuit::ComputeRatings(stage);
  if (!ratings) return ratings.failure();
  run.ratings = *ratings;
  auto spectrum = circuit::ComputeLoadSpectrum(stage);
  if (!spectrum) return spectrum.failure();
  run.spectrum = *spectrum;
  auto curves = circuit::SampleWaveforms(stage, M);
  if (!curves) return curves.failure();
  run.curves = std::move(curves).value();
  return run;
}

Result<RealCircuitRun> RunIdeal(const circuit::IdealDesign& ideal,
                                const circuit::StageOptions& options, long long M) {
  const auto stage = circuit::StageFromIdeal(ideal, options);
  if (!stage) return stage.failure();
  return Run(*stage, 0, M);
}

Result<RealCircuitRun> RunExact(const circuit::IdealDesign& ideal,
                                const circuit::StageOptions& options, long long M) {
  const auto design = circuit::DesignExact(ideal, options);
  if (!design) return design.failure();
  return Run(design->stage, design->iterations, M);
}

// What the curves of both designs hold now, given back when new ones come.
std::uint64_t HeldCurveBytes(const RealCircuitState& state) {
  std::uint64_t bytes = 0;
  for (const std::optional<RealCircuitRun>* run : {&state.ideal, &state.exact})
    if (*run) bytes += (*run)->curves.vD.capacity() * kCurveBytesPerSample;
  return bytes;
}

// M from its field, or the reason the curves cannot have it: a negative
// count, arrays for both designs that would not fit in memory, or a count
// the engine does not sample. A text beyond the 32-bit range is the
// conversion's own overflow fault, raised here.
Result<long long> CurveIntervals(const RealCircuitState& state, Controls& ui) {
  const std::int64_t M = RoundToInt32(Checked("M", Val(ui.text(fields::M.control))), "M");
  // Both designs' four curves, and the points of the one being drawn.
  const std::uint64_t perSample = 2 * kCurveBytesPerSample + sizeof(PlotPoint);
  const auto refusal = SampleCountRefusal(M, perSample, HeldCurveBytes(state),
                                          M < 0 ? std::nullopt : AvailableMemoryBytes());
  if (refusal) return Failure{circuit::FailureKind::SampleCount, *refusal};
  if (M < 1 || M > circuit::kMaxWaveformIntervals)
    return circuit::SampleCount(M, circuit::kMaxWaveformIntervals);
  return M;
}

// The transistor of the fields, or none when Coss is 0 and no curve is
// loaded (then every result is the linear stage's). A law the junction
// cannot take is a failure naming the field.
Result<std::optional<circuit::Transistor>> TransistorOf(
    Controls& ui, const std::optional<transistor::CossCurve>& curve, double Coss) {
  const double Vref = Checked("VdsCoss", Val(ui.text(fields::VdsCoss.control)));
  std::optional<double> BVdss;
  const std::string BV = ui.text(fields::BVdss.control);
  if (!BV.empty()) BVdss = Checked("BVdss", Val(BV));
  if (curve) return std::optional(circuit::Transistor{*curve, Vref, BVdss});
  if (!(Coss > 0)) return std::optional<circuit::Transistor>();
  const double m = Checked("m", Val(ui.text(fields::m.control)));
  const double Vj = Checked("Vj", Val(ui.text(fields::Vj.control)));
  auto junction = transistor::Junction::Make(Coss, Vref, m, Vj);
  if (const auto* reason = std::get_if<std::string>(&junction))
    return Failure{circuit::FailureKind::InvalidValue, *reason};
  return std::optional(
      circuit::Transistor{std::get<transistor::Junction>(std::move(junction)), Vref, BVdss});
}

// The real stage's own inputs, read after their checks; a fault names the
// field.
circuit::StageOptions ReadOptions(Controls& ui, double RL,
                                  const std::optional<circuit::Transistor>& transistor) {
  circuit::StageOptions options;
  options.Ron = Checked("Ron", Val(ui.text(fields::Ron.control)));
  options.Coss = Checked("Coss", Val(ui.text(fields::Coss.control)) / kPico);
  const std::string QU = ui.text(fields::QU.control);
  if (!QU.empty()) options.QU = Checked("QU", Val(QU));
  if (ui.isChecked(form4::Check1)) options.RL = RL;
  options.transistor = transistor;
  return options;
}

// The ideal design from the main window's fields, into a state of its own:
// what the main window shows stays as it is.
circuit::IdealDesign IdealFromFields(Controls& ui, double& RL) {
  DesignState s;
  ComputeDesign(s, ReadDesignTexts(ui));
  RL = Checked("RL", Val(ui.text(fields::RL.control)));
  return circuit::FromDesignState(s);
}

// A warning, not a refusal: the drain peak near or above the rating.
void WarnOfBreakdown(const RealCircuitState& state, Controls& ui, Designs which) {
  for (const auto* run : {which != Designs::Exact ? &state.ideal : nullptr,
                          which != Designs::Ideal ? &state.exact : nullptr}) {
    if (!run || !*run || !(*run)->stage.transistor || !(*run)->stage.transistor->BVdss) continue;
    const double BV = *(*run)->stage.transistor->BVdss;
    const double peak = (*run)->steady.vPeak;
    if (!(peak > kBreakdownWarning * BV)) continue;
    ui.message(std::string("Attenzione: nel progetto ") +
               (run == &state.exact ? "esatto" : "ideale") + " il picco di tensione sul drain (" +
               Format(peak, kScientific3) + " V) supera l'80 % di V(BR)DSS (" +
               Format(BV, kScientific3) +
               " V): scegli un transistor con tensione di rottura maggiore.");
  }
}

}  // namespace

std::variant<RealCircuitJob, Outcome> PrepareRealCircuit(RealCircuitState& state, Controls& ui,
                                                         Designs which) {
  DesignState check;
  if (!CheckFields(check, ui, kDesignFields)) return Outcome::Rejected;
  if (!CheckFields(check, ui, kRealCircuitFields)) return Outcome::Rejected;
  if (!CheckFields(check, ui, std::span(&fields::M, 1))) return Outcome::Rejected;
  std::optional<RealCircuitJob> job;
  const Outcome outcome = RunGuarded(ui, [&] {
    const Result<long long> M = CurveIntervals(state, ui);
    if (!M) {
      ui.fault(M.failure().message);
      return Outcome::Refused;
    }
    double RL = 0;
    const circuit::IdealDesign ideal = IdealFromFields(ui, RL);
    const auto transistor =
        TransistorOf(ui, state.curve, Checked("Coss", Val(ui.text(fields::Coss.control)) / kPico));
    if (!transistor) {
      ui.fault(transistor.failure().message);
      return Outcome::Fault;
    }
    job = RealCircuitJob{ideal, ReadOptions(ui, RL, *transistor), *M, which};
    return Outcome::Done;
  });
  if (!job) return outcome;
  return *job;
}

RealCircuitResults ComputeRealCircuit(const RealCircuitJob& job) {
  RealCircuitResults results;
  try {
    if (job.which != Designs::Exact) results.ideal = RunIdeal(job.ideal, job.options, job.M);
    if (job.which != Designs::Ideal) results.exact = RunExact(job.ideal, job.options, job.M);
  } catch (const std::bad_alloc&) {
    results = {};
    results.outOfMemory = true;
  }
  return results;
}

Outcome ShowRealCircuitResults(RealCircuitState& state, Controls& ui, RealCircuitResults results) {
  if (results.outOfMemory) {
    ui.fault(kSampleMemoryGone);
    return Outcome::Refused;
  }
  return RunGuarded(ui, [&] {
    state.limits = {};
    Outcome outcome = Outcome::Done;
    // A design the engine cannot give is reported and leaves its column
    // empty; the flags its attempts raised are its own affair.
    auto take = [&](std::optional<RealCircuitRun>& slot, Result<RealCircuitRun>& result) {
      ClearFpFaults();
      if (result) {
        slot = std::move(result).value();
      } else {
        slot.reset();
        ui.fault(result.failure().message);
        if (result.failure().kind == circuit::FailureKind::TransistorTooLarge)
          state.limits = result.failure().limits;
        outcome = Outcome::Fault;
      }
    };
    if (results.ideal) take(state.ideal, *results.ideal);
    if (results.exact) take(state.exact, *results.exact);
    ClearNgspiceFigures(ui);
    if (results.ideal) ShowColumn(ui, state.ideal, false);
    if (results.exact) ShowColumn(ui, state.exact, true);
    DrawRealCircuitCurves(state, ui);
    DrawCossPlot(state, ui);
    WarnOfBreakdown(
        state, ui,
        results.ideal ? (results.exact ? Designs::Both : Designs::Ideal) : Designs::Exact);
    return outcome;
  });
}

Outcome ShowRealCircuit(RealCircuitState& state, Controls& ui, Designs which) {
  auto job = PrepareRealCircuit(state, ui, which);
  if (const Outcome* outcome = std::get_if<Outcome>(&job)) return *outcome;
  return ShowRealCircuitResults(state, ui, ComputeRealCircuit(std::get<RealCircuitJob>(job)));
}

bool HoldsTransistor(const RealCircuitJob& job) {
  return job.options.transistor.has_value();
}

std::optional<std::string> LoadCossCurve(RealCircuitState& state, std::string_view text,
                                         std::string name) {
  auto read = transistor::ReadCossCurve(text);
  if (const auto* error = std::get_if<transistor::CurveError>(&read)) return error->message;
  state.curve = std::get<transistor::CossCurve>(std::move(read));
  state.curveName = std::move(name);
  return std::nullopt;
}

bool NetworkWanted(Controls& ui) {
  const PreservedFpFlags keep;
  ClearFpFaults();
  try {
    double RL = 0;
    const circuit::IdealDesign ideal = IdealFromFields(ui, RL);
    return !WithinBand(ideal.R, RL);
  } catch (const ArithmeticFault&) {
    return false;
  }
}

bool ExactDesignChosen(Controls& ui) {
  return !ui.isSelected(form4::Option2);
}

circuit::Result<circuit::SpiceDeck> DeckOf(const RealCircuitState& state, bool exact) {
  const std::optional<RealCircuitRun>& run = exact ? state.exact : state.ideal;
  if (!run) {
    return circuit::Failure{circuit::FailureKind::InvalidValue,
                            exact ? "Il progetto esatto non ha valori da simulare."
                                  : "Il progetto ideale non ha valori da simulare."};
  }
  return circuit::WriteSpiceDeck(run->stage);
}

circuit::Result<circuit::SpiceDeck> ChosenDeck(const RealCircuitState& state, Controls& ui) {
  return DeckOf(state, ExactDesignChosen(ui));
}

void ShowNgspiceFigures(const RealCircuitState& state, Controls& ui, bool exact,
                        const circuit::NgspiceMeasures& m) {
  const std::optional<RealCircuitRun>& run = exact ? state.exact : state.ideal;
  if (!run) return;
  const circuit::SteadyState& own = run->steady;
  const PreservedFpFlags keep;
  ClearFpFaults();
  try {
    const double turnOn = Checked("Vacc/Vpicco ngspice", (m.von - run->stage.Von) / m.vpk);
    ShowValue(ui, boxes::PoNgspice, m.po);
    ShowValue(ui, boxes::EfficiencyNgspice, m.eff);
    ShowValue(ui, boxes::TurnOnNgspice, turnOn);
    ShowValue(ui, boxes::PoDifference, Checked("Po differenza", (m.po / own.power.load - 1) * 100));
    ShowValue(ui, boxes::EfficiencyDifference, (m.eff - own.efficiency) * 100);
    ShowValue(ui, boxes::TurnOnDifference, (turnOn - own.vonFraction) * 100);
  } catch (const ArithmeticFault& fault) {
    ClearNgspiceFigures(ui);
    ui.fault(fault.what());
  }
}

void ClearNgspiceFigures(Controls& ui) {
  for (const ValueBox* box :
       {&boxes::PoNgspice, &boxes::EfficiencyNgspice, &boxes::TurnOnNgspice, &boxes::PoDifference,
        &boxes::EfficiencyDifference, &boxes::TurnOnDifference}) {
    ui.setCaption(box->control, "");
  }
}

}  // namespace classe
