// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/parts/retune.h"

#include "engine/circuit/damped_newton.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace classe::parts {
namespace {

using circuit::Failure;
using circuit::LoadKind;
using circuit::Result;
using circuit::Stage;
using circuit::SteadyState;
using Vector = Eigen::VectorXd;

constexpr int kMaxIterations = 40;
// Converged: the residuals as fractions of Vcc and ln of the power, as the
// exact design converges.
constexpr double kTolerance = 1e-11;
constexpr double kFloor = 1e-9;
constexpr double kDifferenceStep = 1e-7;  // in the knobs' logarithms
constexpr double kMaxStep = 0.5;          // no step turns a knob by more than e^0.5
// Steps of the walk from the design to the parts bought, tried in turn.
constexpr int kWalks[] = {4, 16};

double& KnobOf(Stage& s, Knob knob) {
  switch (knob) {
    case Knob::L2:
      return s.L2;
    case Knob::R:
      return s.R;
    case Knob::NetworkL:
      return s.load.L;
    case Knob::NetworkC:
      return s.load.C;
    case Knob::Vcc:
      return s.Vcc;
  }
  return s.L2;
}

void SetKnob(Stage& s, Knob knob, double value) {
  KnobOf(s, knob) = value;
  // Without a network the resistance seen is the load itself.
  if (knob == Knob::R) s.load.RL = value;
}

struct Problem {
  Stage base;
  std::vector<Knob> unknowns;
  double Po = 0;
  bool power = false;  // a third residual: the load's power against Po
};

Stage StageAt(const Problem& p, const Vector& u) {
  Stage s = p.base;
  for (std::size_t j = 0; j < p.unknowns.size(); ++j)
    SetKnob(s, p.unknowns[j], std::exp(u(static_cast<Eigen::Index>(j))));
  return s;
}

Result<Vector> Residual(const Problem& p, const Vector& u, SteadyState* steadyOut = nullptr) {
  const Stage s = StageAt(p, u);
  if (auto bad = circuit::CheckStage(s)) return *bad;
  Result<SteadyState> steady = circuit::SolveSteadyState(s);
  if (!steady) return steady.failure();
  Vector r(static_cast<Eigen::Index>(p.unknowns.size()));
  r(0) = (steady->vTurnOn - s.Von) / s.Vcc;
  r(1) = steady->slopeTurnOn / s.Vcc;
  if (p.power) r(2) = std::log(steady->power.load / p.Po);
  if (!r.allFinite()) return circuit::NonFinite("ritaratura");
  if (steadyOut) *steadyOut = *steady;
  return r;
}

std::string KnobNames(const std::vector<Knob>& knobs) {
  const bool netL = std::ranges::count(knobs, Knob::NetworkL) > 0;
  const bool netC = std::ranges::count(knobs, Knob::NetworkC) > 0;
  if (netL && netC) return "L2, della L e della C della rete";
  if (netL) return "L2 e della L della rete";
  if (netC) return "L2 e della C della rete";
  return "L2 e R";
}

Failure Unmet(const Problem& p, const Vector& r) {
  Eigen::Index worst = 0;
  r.cwiseAbs().maxCoeff(&worst);
  const char* condition = worst == 0   ? "la tensione nulla all'accensione"
                          : worst == 1 ? "la pendenza nulla all'accensione"
                                       : "la potenza Po";
  return circuit::RetuneImpossible(KnobNames(p.unknowns), condition, std::abs(r(worst)));
}

struct Solution {
  Vector u;
  SteadyState steady;
  int iterations = 0;
};

Result<Solution> Solve(const Problem& p, const Vector& start) {
  const auto end = circuit::DampedNewton(
      [&p](const Vector& v) { return Residual(p, v); }, start,
      {.maxIterations = kMaxIterations,
       .tolerance = kTolerance,
       .floor = kFloor,
       .step = kDifferenceStep,
       .maxStep = kMaxStep},
      [&p](circuit::NewtonStop, const Vector&, const Vector& r, int) { return Unmet(p, r); });
  if (!end) return end.failure();
  Solution solution{end->u, {}, end->iterations};
  const Result<Vector> last = Residual(p, end->u, &solution.steady);
  if (!last) return last.failure();
  return solution;
}

Vector KnobLogs(const Stage& s, const std::vector<Knob>& knobs) {
  Vector u(static_cast<Eigen::Index>(knobs.size()));
  for (std::size_t j = 0; j < knobs.size(); ++j)
    u(static_cast<Eigen::Index>(j)) = std::log(KnobValue(s, knobs[j]));
  return u;
}

// The stage a fraction t of the way from the design's parts to the ones
// bought, by ratio; the knobs stay where the caller puts them.
Stage Between(const Stage& design, const Stage& bought, double t) {
  const auto mix = [t](double a, double b) { return a * std::pow(b / a, t); };
  Stage s = bought;
  s.C1 = mix(design.C1, bought.C1);
  s.C2 = mix(design.C2, bought.C2);
  s.L1 = mix(design.L1, bought.L1);
  if (bought.load.kind != LoadKind::Resistor) {
    s.load.L = mix(design.load.L, bought.load.L);
    s.load.C = mix(design.load.C, bought.load.C);
  }
  return s;
}

// The knobs for the parts bought: straight from the stage's own knobs, and
// when Newton cannot get there, along a walk from the design.
Result<Solution> Tune(Problem p, const Stage* design) {
  const Stage bought = p.base;
  Result<Solution> direct = Solve(p, KnobLogs(bought, p.unknowns));
  if (direct || !design) return direct;
  for (int steps : kWalks) {
    Vector u = KnobLogs(*design, p.unknowns);
    Result<Solution> reached = direct.failure();
    int iterations = 0;
    for (int k = 1; k <= steps; ++k) {
      p.base = Between(*design, bought, static_cast<double>(k) / steps);
      reached = Solve(p, u);
      if (!reached) break;
      u = reached->u;
      iterations += reached->iterations;
    }
    if (reached) {
      Solution s = std::move(reached).value();
      s.iterations = iterations;
      return s;
    }
  }
  return direct;
}

}  // namespace

std::vector<Knob> RetuneKnobs(const Stage& stage, bool networkCFree) {
  switch (stage.load.kind) {
    case LoadKind::Resistor:
      return {Knob::L2, Knob::R};
    case LoadKind::ShuntCAtInput:
      if (networkCFree) return {Knob::L2, Knob::NetworkL, Knob::NetworkC};
      return {Knob::L2, Knob::NetworkL};
    case LoadKind::ShuntCAtLoad:
      return {Knob::L2, Knob::NetworkC};
  }
  return {Knob::L2, Knob::R};
}

double KnobValue(const Stage& stage, Knob knob) {
  return KnobOf(const_cast<Stage&>(stage), knob);
}

Result<Retune> RetuneStage(const Stage& bought, double Po, const Stage* design, bool networkCFree) {
  if (auto bad = circuit::CheckStage(bought)) return *bad;
  if (!(std::isfinite(Po) && Po > 0)) return circuit::InvalidValue("Po", "deve essere positiva");
  Problem p{bought, RetuneKnobs(bought, networkCFree), Po, false};
  p.power = p.unknowns.size() == 3;
  const Result<Solution> tuned = Tune(p, design);
  if (!tuned) return tuned.failure();
  Retune result{StageAt(p, tuned->u), tuned->steady, p.unknowns, bought.Vcc, tuned->iterations};
  if (p.power) return result;

  // The trim. A linear stage with Von = 0 has Vcc as its only source: every
  // waveform scales with it, the switching conditions hold at any supply and
  // Po ∝ Vcc². Otherwise the knobs and the supply are solved together.
  const double scale = std::sqrt(Po / result.steady.power.load);
  if (!result.stage.transistor && result.stage.Von == 0) {
    result.VccTrim = result.stage.Vcc * scale;
  } else {
    Problem trim{result.stage, p.unknowns, Po, true};
    trim.unknowns.push_back(Knob::Vcc);
    Vector u = KnobLogs(result.stage, trim.unknowns);
    u(u.size() - 1) += std::log(scale);
    const Result<Solution> trimmed = Solve(trim, u);
    if (!trimmed) return trimmed.failure();
    result.VccTrim = std::exp(trimmed->u(u.size() - 1));
  }
  if (!std::isfinite(result.VccTrim)) return circuit::NonFinite("Vcc di ritaratura");
  return result;
}

}  // namespace classe::parts
