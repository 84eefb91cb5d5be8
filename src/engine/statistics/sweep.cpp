// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/statistics/sweep.h"

#include <cmath>
#include <numbers>

namespace classe::statistics {
namespace {

bool HasNetwork(const circuit::Stage& s) {
  return s.load.kind != circuit::LoadKind::Resistor;
}

}  // namespace

std::optional<std::string> CheckSweep(const circuit::Stage& stage, const SweepSettings& s) {
  if (!(std::isfinite(s.from) && std::isfinite(s.to)))
    return std::string("Gli estremi della scansione devono essere numeri finiti.");
  if (s.points < 2 || s.points > kMaxSweepPoints)
    return std::string("Il numero di punti della scansione deve essere compreso tra 2 e 100000.");
  if (s.threads < 0) return std::string("Il numero di thread deve essere positivo.");
  const char* positive = nullptr;
  switch (s.variable) {
    case SweepVariable::LoadFactor:
      positive = "Il fattore del carico deve restare positivo";
      break;
    case SweepVariable::Vcc:
      positive = "Vcc deve restare positiva";
      break;
    case SweepVariable::Frequency:
      positive = "La frequenza deve restare positiva";
      break;
    case SweepVariable::Reactance:
      // In series with RL the reactance would need a node the network has
      // not got: refused rather than placed where it does not belong.
      if (HasNetwork(stage))
        return std::string(
            "La reattanza del carico si può variare solo senza rete di adattamento: con la rete "
            "nel circuito togli la spunta o varia RL.");
      break;
  }
  if (positive && !(s.from > 0 && s.to > 0))
    return std::string(positive) + " su tutto l'intervallo della scansione.";
  return std::nullopt;
}

double SweepX(const SweepSettings& s, int k) {
  if (k == s.points - 1) return s.to;
  return s.from + (s.to - s.from) * static_cast<double>(k) / static_cast<double>(s.points - 1);
}

circuit::Stage SweptStage(const circuit::Stage& stage, SweepVariable variable, double x) {
  circuit::Stage s = stage;
  switch (variable) {
    case SweepVariable::LoadFactor:
      s.load.RL = stage.load.RL * x;
      if (!HasNetwork(s)) s.R = s.load.RL;
      break;
    case SweepVariable::Reactance: {
      // With the plain resistor the branch and the load are one series
      // loop: the reactance folds into L2 or C2 exactly.
      const double X = x * stage.load.RL;
      if (X > 0) {
        s.L2 = stage.L2 + X / stage.omega;
      } else if (X < 0) {
        const double Cs = 1 / (stage.omega * -X);
        s.C2 = stage.C2 * Cs / (stage.C2 + Cs);
      }
      break;
    }
    case SweepVariable::Vcc:
      s.Vcc = x;
      break;
    case SweepVariable::Frequency:
      s.omega = 2 * std::numbers::pi * x;
      break;
  }
  return s;
}

double DesignValue(const circuit::Stage& stage, SweepVariable variable) {
  switch (variable) {
    case SweepVariable::LoadFactor:
      return 1;
    case SweepVariable::Reactance:
      return 0;
    case SweepVariable::Vcc:
      return stage.Vcc;
    case SweepVariable::Frequency:
      return stage.omega / (2 * std::numbers::pi);
  }
  return 0;
}

circuit::Result<SweepResult> RunSweep(const circuit::Stage& stage, const SweepSettings& sweep,
                                      Progress* progress) {
  if (auto bad = CheckSweep(stage, sweep))
    return circuit::Failure{circuit::FailureKind::InvalidValue, *bad};
  if (auto bad = circuit::CheckStage(stage)) return *bad;
  SweepResult result;
  result.designX = DesignValue(stage, sweep.variable);
  result.points.resize(static_cast<std::size_t>(sweep.points));
  const int n = sweep.points;
  const int threads = ThreadCount(sweep.threads);

#pragma omp parallel for schedule(dynamic, 1) num_threads(threads)
  for (int k = 0; k < n; ++k) {
    if (progress && progress->stop.load(std::memory_order_relaxed)) continue;
    SweepPoint& point = result.points[static_cast<std::size_t>(k)];
    point.x = SweepX(sweep, k);
    point.figures = FiguresOf(SweptStage(stage, sweep.variable, point.x));
    point.done = true;
    if (progress) progress->done.fetch_add(1, std::memory_order_relaxed);
  }
  for (const SweepPoint& p : result.points)
    if (!p.done) result.partial = true;
  return result;
}

}  // namespace classe::statistics
