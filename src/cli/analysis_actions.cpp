// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "cli/analysis_actions.h"

#include <nlohmann/json.hpp>

#include "actions/analysis_action.h"
#include "actions/analysis_fields.h"
#include "actions/field_text.h"
#include "cli/report_json.h"
#include "cli/stream_file.h"
#include "engine/statistics/results_csv.h"

namespace classe::cli {
namespace {

using Json = nlohmann::ordered_json;

// A run has at most this many threads: more would only share the cores.
constexpr std::int64_t kMaxThreads = 256;

// thread=N: every core when not given.
std::optional<int> Threads(Session& s) {
  if (!s.threads) return 0;
  const auto n = ParseWhole(*s.threads);
  if (!n || *n < 1 || *n > kMaxThreads) {
    RejectField(s.ui,
                "Errore di inserimento dati per il numero di thread: scrivi un numero "
                "intero tra 1 e 256, o non darlo per usarli tutti.");
    return std::nullopt;
  }
  return static_cast<int>(*n);
}

Json SpreadJson(const statistics::Spread& s) {
  return {{"p5", s.p5}, {"p50", s.p50}, {"p95", s.p95}, {"min", s.min}, {"max", s.max}};
}

Json FiguresJson(const statistics::StageFigures& f) {
  return {{"Po", f.Po},
          {"efficiency", f.efficiency},
          {"Vpeak", f.vPeak},
          {"Iswitch_peak", f.iSwitchPeak},
          {"von_fraction", f.vonFraction}};
}

}  // namespace

Outcome RunTolerances(Session& s) {
  const auto threads = Threads(s);
  if (!threads) return Outcome::Rejected;
  std::optional<ToleranceJob> job;
  const Outcome outcome = PrepareTolerances(s.circuit, s.ui, *threads, s.boughtParts, job);
  if (outcome != Outcome::Done) return outcome;
  auto result = RunToleranceJob(*job, nullptr);
  if (!result) {
    s.ui.fault(result.failure().message);
    return Outcome::Fault;
  }
  s.toleranceSettings = job->settings;
  s.tolerances = std::move(result).value();
  if (s.csv) {
    const auto failed = StreamFileAtomically(
        *s.csv, [&](std::ostream& out) { statistics::WriteBuildsCsv(out, *s.tolerances); });
    if (failed) {
      s.ui.fault(*failed);
      return Outcome::Fault;
    }
  }
  return Outcome::Done;
}

Outcome RunSweepAction(Session& s) {
  const auto threads = Threads(s);
  if (!threads) return Outcome::Rejected;
  std::optional<SweepJob> job;
  const Outcome outcome = PrepareSweep(s.circuit, s.ui, *threads, job);
  if (outcome != Outcome::Done) return outcome;
  auto result = statistics::RunSweep(job->nominal, job->sweep);
  if (!result) {
    s.ui.fault(result.failure().message);
    return Outcome::Fault;
  }
  s.sweep = std::move(result).value();
  long long missing = 0;
  for (const statistics::SweepPoint& p : s.sweep->points)
    missing += !p.figures;
  // The points that have a steady state are still worth their curve.
  if (missing)
    s.ui.fault(std::to_string(missing) +
               " punti della scansione non hanno un regime periodico e mancano dal CSV.");
  return Outcome::Done;
}

void PrintToleranceSummary(std::ostream& out, const RunReport& report) {
  const Session& s = report.session;
  if (!s.tolerances) return;
  for (const auto& message : s.ui.messages())
    if (!message.fault) out << message.text << '\n';
  out << ToleranceSummaryText(*s.tolerances, *s.toleranceSettings);
}

void PrintJsonTolerances(std::ostream& out, const RunReport& report) {
  Json json = JsonHead(report);
  const auto& r = report.session.tolerances;
  if (!r) {
    json["percentiles"] = nullptr;
    json["yield"] = nullptr;
    out << json.dump(2) << '\n';
    return;
  }
  const statistics::Summary& s = r->summary;
  json["builds"] = s.builds;
  json["failed"] = s.failed;
  json["partial"] = r->partial;
  json["nominal"] = FiguresJson(r->nominal);
  json["percentiles"] = {{"Po", SpreadJson(s.Po)},
                         {"efficiency", SpreadJson(s.efficiency)},
                         {"Vpeak", SpreadJson(s.vPeak)},
                         {"Iswitch_peak", SpreadJson(s.iSwitchPeak)},
                         {"von_fraction", SpreadJson(s.vonFraction)}};
  json["yield"] = {{"Po", s.yield.Po},
                   {"von", s.yield.von},
                   {"Vpeak", s.yield.vPeak ? Json(*s.yield.vPeak) : Json(nullptr)},
                   {"all", s.yield.all}};
  out << json.dump(2) << '\n';
}

void PrintSweepCsv(std::ostream& out, const RunReport& report) {
  if (report.session.sweep) statistics::WriteSweepCsv(out, *report.session.sweep);
}

void PrintJsonSweep(std::ostream& out, const RunReport& report) {
  Json json = JsonHead(report);
  const auto& r = report.session.sweep;
  const OptionField& variable = analysis::variabile;
  json["variable"] = std::string(variable.values[static_cast<std::size_t>(
      SelectedOption(const_cast<RecordingControls&>(report.session.ui), variable))]);
  json["design_x"] = r ? Json(r->designX) : Json(nullptr);
  json["partial"] = r ? Json(r->partial) : Json(nullptr);
  json["points"] = Json::array();
  if (r) {
    for (const statistics::SweepPoint& p : r->points) {
      if (!p.done || !p.figures) continue;
      Json point = FiguresJson(*p.figures);
      point["x"] = p.x;
      json["points"].push_back(point);
    }
  }
  out << json.dump(2) << '\n';
}

}  // namespace classe::cli
