// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/statistics/monte_carlo.h"

#include <cmath>

#include "engine/circuit/nonlinear_orbit.h"

namespace classe::statistics {
namespace {

bool Finite(double x) {
  return std::isfinite(x);
}

std::optional<std::string> CheckTolerance(double t, const char* kind) {
  if (Finite(t) && t >= 0 && t < 1) return std::nullopt;
  return std::string("La tolleranza ") + kind + " deve essere di almeno 0 % e minore di 100 %.";
}

bool HasNetwork(const circuit::Stage& s) {
  return s.load.kind != circuit::LoadKind::Resistor;
}

void Grade(BuildRow& row, const StageFigures& nominal, const ToleranceSettings& settings) {
  if (!row.figures) return;
  const StageFigures& f = *row.figures;
  row.poOk = std::abs(f.Po / nominal.Po - 1) <= settings.poBand;
  row.vonOk = std::abs(f.vonFraction) <= settings.vonBand;
  row.vPeakOk = !settings.BVdss || f.vPeak < *settings.BVdss;
  row.allOk = row.poOk && row.vonOk && row.vPeakOk;
}

}  // namespace

std::optional<std::string> CheckToleranceSettings(const ToleranceSettings& s) {
  const Tolerances& t = s.tolerances;
  for (const auto& [value, kind] :
       {std::pair{t.C, "dei condensatori"}, std::pair{t.L, "delle induttanze"},
        std::pair{t.R, "del carico"}, std::pair{t.Coss, "di Coss"}, std::pair{t.Ron, "di Ron"}}) {
    if (auto bad = CheckTolerance(value, kind)) return bad;
  }
  if (s.builds < 1 || s.builds > kMaxBuilds)
    return std::string("Il numero di prove deve essere compreso tra 1 e 1000000.");
  if (!(Finite(s.poBand) && s.poBand > 0))
    return std::string("La banda di Po deve essere un numero positivo.");
  if (!(Finite(s.vonBand) && s.vonBand >= 0))
    return std::string("La banda della tensione all'accensione deve essere di almeno 0 %.");
  if (s.BVdss && !(Finite(*s.BVdss) && *s.BVdss > 0))
    return std::string("V(BR)DSS deve essere positiva.");
  if (s.threads < 0) return std::string("Il numero di thread deve essere positivo.");
  return std::nullopt;
}

BuildParts NominalParts(const circuit::Stage& s) {
  BuildParts p;
  p.Cext = s.C1ToBuy();
  p.Coss = s.Coss;
  p.C2 = s.C2;
  p.L1 = s.L1;
  p.L2 = s.L2;
  p.networkL = s.load.L;
  p.networkC = s.load.C;
  p.load = s.load.RL;
  p.Ron = s.Ron;
  return p;
}

circuit::Stage DrawBuild(const circuit::Stage& nominal, const ToleranceSettings& settings,
                         std::uint64_t index, BuildParts& p) {
  std::mt19937_64 g = BuildGenerator(settings.seed, index);
  const Tolerances& t = settings.tolerances;
  const auto draw = [&](double tolerance) {
    return DrawFactor(g, tolerance, settings.distribution);
  };
  // The order is fixed: the same index gives the same parts for any
  // tolerances, kind by kind.
  const double cext = draw(t.C);
  const double coss = draw(t.Coss);
  const double c2 = draw(t.C);
  const double netC = draw(t.C);
  const double l1 = draw(t.L);
  const double l2 = draw(t.L);
  const double netL = draw(t.L);
  const double load = draw(t.R);
  const double ron = draw(t.Ron);

  p = NominalParts(nominal);
  p.Cext *= cext;
  p.Coss *= coss;
  p.C2 *= c2;
  p.networkC *= netC;
  p.L1 *= l1;
  p.L2 *= l2;
  p.networkL *= netL;
  p.load *= load;
  p.Ron *= ron;

  circuit::Stage s = nominal;
  s.Coss = p.Coss;
  if (s.transistor) s.transistor->coss = s.transistor->coss.Scaled(coss);
  s.C1 = p.Cext + p.Coss;
  s.C2 = p.C2;
  s.L1 = p.L1;
  s.L2 = p.L2;
  s.load.L = p.networkL;
  s.load.C = p.networkC;
  s.load.RL = p.load;
  // Without a network the load is R itself; with one, R is what the
  // network was designed to present and stays.
  if (!HasNetwork(s)) s.R = p.load;
  s.Ron = p.Ron;
  return s;
}

Summary Summarize(const std::vector<BuildRow>& rows) {
  Summary s;
  std::vector<double> po, eff, peak, isw, von;
  long long inPo = 0, inVon = 0, inPeak = 0, inAll = 0;
  for (const BuildRow& r : rows) {
    if (!r.done) continue;
    ++s.builds;
    if (!r.figures) {
      ++s.failed;
      continue;
    }
    po.push_back(r.figures->Po);
    eff.push_back(r.figures->efficiency);
    peak.push_back(r.figures->vPeak);
    isw.push_back(r.figures->iSwitchPeak);
    von.push_back(r.figures->vonFraction);
    inPo += r.poOk;
    inVon += r.vonOk;
    inPeak += r.vPeakOk;
    inAll += r.allOk;
  }
  s.Po = SpreadOf(std::move(po));
  s.efficiency = SpreadOf(std::move(eff));
  s.vPeak = SpreadOf(std::move(peak));
  s.iSwitchPeak = SpreadOf(std::move(isw));
  s.vonFraction = SpreadOf(std::move(von));
  if (s.builds > 0) {
    const auto fraction = [&](long long n) {
      return static_cast<double>(n) / static_cast<double>(s.builds);
    };
    s.yield.Po = fraction(inPo);
    s.yield.von = fraction(inVon);
    s.yield.vPeak = fraction(inPeak);
    s.yield.all = fraction(inAll);
  }
  return s;
}

circuit::Result<MonteCarloResult> RunMonteCarlo(const circuit::Stage& nominal,
                                                const ToleranceSettings& settings,
                                                Progress* progress) {
  if (auto bad = CheckToleranceSettings(settings))
    return circuit::Failure{circuit::FailureKind::InvalidValue, *bad};
  if (auto bad = circuit::CheckStage(nominal)) return *bad;
  // Every build's search with a transistor starts from the nominal orbit:
  // near, and the same whichever thread or build came before.
  circuit::ShootingStart nominalOrbit;
  const std::optional<StageFigures> nominalFigures = FiguresOf(nominal, nullptr, &nominalOrbit);
  const circuit::ShootingStart* warm = nominalOrbit.x0.size() > 0 ? &nominalOrbit : nullptr;
  if (!nominalFigures)
    return circuit::Failure{circuit::FailureKind::InvalidValue,
                            "Il progetto nominale non ha un regime periodico da confrontare."};
  MonteCarloResult result;
  result.nominal = *nominalFigures;
  result.rows.resize(static_cast<std::size_t>(settings.builds));
  const long long builds = settings.builds;
  const int threads = ThreadCount(settings.threads);

#pragma omp parallel for schedule(dynamic, 16) num_threads(threads)
  for (long long i = 0; i < builds; ++i) {
    if (progress && progress->stop.load(std::memory_order_relaxed)) continue;
    BuildRow& row = result.rows[static_cast<std::size_t>(i)];
    circuit::Stage stage = DrawBuild(nominal, settings, static_cast<std::uint64_t>(i), row.drawn);
    row.L2Tuned = row.drawn.L2;
    row.loadTuned = row.drawn.load;
    bool built = true;
    if (settings.retune) {
      try {
        circuit::Result<circuit::Stage> tuned = settings.retune(stage);
        if (tuned) {
          stage = std::move(tuned).value();
          row.L2Tuned = stage.L2;
          row.loadTuned = stage.load.RL;
        } else {
          built = false;
        }
      } catch (const std::exception&) {
        built = false;
      }
    }
    if (built) row.figures = FiguresOf(stage, warm);
    Grade(row, *nominalFigures, settings);
    row.done = true;
    if (progress) progress->done.fetch_add(1, std::memory_order_relaxed);
  }

  result.summary = Summarize(result.rows);
  result.partial = result.summary.builds < builds;
  if (!settings.BVdss) result.summary.yield.vPeak.reset();
  return result;
}

}  // namespace classe::statistics
