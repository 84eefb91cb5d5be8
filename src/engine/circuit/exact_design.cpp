// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/exact_design.h"

#include <algorithm>
#include <cmath>

#include "engine/circuit/any_orbit.h"
#include "engine/circuit/damped_newton.h"
#include "engine/circuit/step_budget.h"

namespace classe::circuit {
namespace {

using Vector3 = Eigen::Vector3d;

// Unknowns, as logarithms so that every trial stays positive. The first is
// C1, or, for the limits of a transistor whose Coss leaves no room for a
// capacitor, the frequency or the supply with C1 = Coss.
enum Unknown : int { kC1 = 0, kC2 = 1, kR = 2 };
enum class Free { C1, Frequency, Supply };

constexpr int kMaxIterations = 60;
// Converged: every residual below this (the round-off floor is near 1e-13).
constexpr double kTolerance = 1e-11;
// A line search that cannot improve below this has reached the floor too.
constexpr double kFloor = 1e-9;
// With a transistor the residuals come from an integration to 1e-9 of each
// state, whose step choice moves with the unknowns: their floor is higher,
// and a Po off by 1e-7 is far below anything a part can be bought to.
constexpr double kNonlinearFloor = 1e-7;
// Forward-difference step in the logarithms: the Jacobian comes out to about
// 1e-7, enough for Newton to gain six digits a step near the root.
constexpr double kDifferenceStep = 1e-7;
// No step changes a component by more than e^1.
constexpr double kMaxStep = 1.0;
// With a transistor, C1 starts at least this multiple of its Coss.
constexpr double kLeastStartCext = 1.05;
// A search that stops with C1 below this multiple of Coss has run into the
// transistor's capacitance (it stops within 1e-4 of it when it has).
constexpr double kCossBound = 2.0;
// X(C2) below this fraction of R: C2 is running off to infinity.
constexpr double kVanishingXc2 = 1e-4;
// The integration steps one design with a transistor may take: a junction's
// takes 17,000 to 45,000, a datasheet curve's up to 140,000.
constexpr long kDesignSteps = 300000;

struct Problem {
  IdealDesign target;
  StageOptions options;
  Free free = Free::C1;
  // The last nonlinear steady state found: the next search starts there.
  mutable std::optional<ShootingStart> warm = {};
  // Where Newton stopped short, in the unknowns.
  mutable Vector3 stopped = Vector3::Zero();
};

template <int n>
void Remember(const Problem&, const Orbit<n>&) {}
template <int n>
void Remember(const Problem& p, const NonlinearOrbit<n>& o) {
  p.warm = ShootingStart{o.start, o.jacobian};
}

// The Coss the transistor brings at its datasheet voltage, F.
double TransistorCoss(const StageOptions& o) {
  return o.transistor ? o.transistor->coss.capacitance(o.transistor->Vref) : 0.0;
}

Result<Stage> StageAt(const Problem& p, const Vector3& u) {
  const IdealDesign& t = p.target;
  double C1 = std::exp(u(kC1));
  double omega = t.omega;
  double Vcc = t.Vcc;
  if (p.free != Free::C1) {
    C1 = TransistorCoss(p.options);
    (p.free == Free::Frequency ? omega : Vcc) = std::exp(u(kC1));
  }
  const double R = std::exp(u(kR));
  StageOptions options = p.options;
  // A linear Coss only adds to C1: it is checked against the final C1. A
  // transistor's shapes the motion, and a trial with less C1 than it is no
  // circuit.
  options.Coss = 0;
  return MakeStage(omega, Vcc, t.Von, R, t.N / (omega * omega * C1), C1, std::exp(u(kC2)),
                   t.Q * R / omega, options);
}

template <template <int> class AnyOrbit, int n>
Result<Vector3> ResidualOf(const AnyOrbit<n>& o, const IdealDesign& t) {
  const AugVector<n> xPi = TurnOnOf(o);
  const Probe<n> load = MakeProbe<n>(o.stage, ModelOf(o), Quantity::LoadCurrent);
  const double power = o.stage.load.RL * PeriodMoments<n>(o).MeanSquare(load);
  const Vector3 r((xPi(kVD) - t.Von) / o.stage.Vcc, SlopeOf(o) / o.stage.Vcc,
                  std::log(power / t.Po));
  if (!r.allFinite()) return NonFinite("progetto esatto");
  return r;
}

Result<Vector3> Residual(const Problem& p, const Vector3& u) {
  const Result<Stage> stage = StageAt(p, u);
  if (!stage) return stage.failure();
  const ShootingStart* start = p.warm ? &*p.warm : nullptr;
  return WithAnyOrbit(
      *stage,
      [&](const auto& orbit) {
        Remember(p, orbit);
        return ResidualOf(orbit, p.target);
      },
      start);
}

// Why Newton stopped short: C2 running to infinity is the low-Q limit.
Failure Stuck(const Problem& p, const Vector3& u, int iterations, double residual) {
  const double Xc2 = 1 / (p.target.omega * std::exp(u(kC2)));
  if (Xc2 < kVanishingXc2 * std::exp(u(kR))) return QTooLow(p.target.Q, p.target.N);
  return NoConvergence(iterations, residual);
}

using Solution = NewtonEnd<Vector3>;

// Newton from u with a backtracking line search.
Result<Solution> Solve(const Problem& p, Vector3 u) {
  return DampedNewton([&p](const Vector3& v) { return Residual(p, v); }, u,
                      {.maxIterations = kMaxIterations,
                       .tolerance = kTolerance,
                       .floor = p.options.transistor ? kNonlinearFloor : kFloor,
                       .step = kDifferenceStep,
                       .maxStep = kMaxStep},
                      [&p](NewtonStop why, const Vector3& at, const Vector3& r, int iteration) {
                        p.stopped = at;
                        if (why == NewtonStop::Singular) return SingularStep(iteration);
                        return Stuck(p, at, iteration, LargestEntry(r));
                      });
}

// When the design fails with a transistor: if its Coss alone is more than a
// design at this frequency needs, the highest frequency and the highest
// supply at which one exists with no capacitor added (the capacitance a
// design needs falls as either rises); otherwise the design's own failure.
// `u` is where the design's search started, whose C1 tells where to start.
Failure TransistorLimits(const Problem& p, const Vector3& u, const Failure& failure) {
  const IdealDesign& t = p.target;
  const double Coss = TransistorCoss(p.options);
  // C1 ∝ 1/ω at a fixed R and C2 ∝ 1/ω; C1 ∝ 1/Vcc², R ∝ Vcc², C2 ∝ 1/Vcc².
  const double ratio = std::exp(u(kC1)) / Coss;
  const Vector3 frequencyStart(std::log(t.omega * ratio), u(kC2) - std::log(ratio), u(kR));
  const Vector3 supplyStart(std::log(t.Vcc * std::sqrt(ratio)), u(kC2) - std::log(ratio),
                            u(kR) + std::log(ratio));
  DesignLimits limits;
  if (const auto f =
          Solve({.target = t, .options = p.options, .free = Free::Frequency}, frequencyStart))
    limits.fmax = std::exp(f->u(kC1)) / (2 * kHalfPeriod);
  if (const auto v = Solve({.target = t, .options = p.options, .free = Free::Supply}, supplyStart))
    limits.VccMax = std::exp(v->u(kC1));
  if (!limits.fmax || !(*limits.fmax * 2 * kHalfPeriod < t.omega)) return failure;
  return TransistorTooLarge(Coss, p.options.transistor->Vref, limits);
}

}  // namespace

Result<ExactDesign> DesignExact(const IdealDesign& ideal, const StageOptions& options) {
  const IdealDesign& t = ideal;
  const auto positive = [](double x) { return std::isfinite(x) && x > 0; };
  if (!positive(t.Po)) return InvalidValue("Po", "deve essere positiva");
  if (!positive(t.omega)) return InvalidValue("f", "deve essere positiva");
  if (!positive(t.Q)) return InvalidValue("Q", "deve essere positivo");
  if (!positive(t.Vcc)) return InvalidValue("Vcc", "deve essere positiva");
  if (!(t.Von >= 0 && t.Von < t.Vcc)) return InvalidValue("Von", "deve essere ≥ 0 e minore di Vcc");
  // L1 = N/(ω²·C1): N = 0 would short the supply.
  if (t.N < 1) return InvalidValue("N", "deve essere almeno 1");
  // The ideal C2 is negative below Q = 1.152: no start, and no design either.
  if (!(positive(t.C2) && positive(t.C1) && positive(t.R))) return QTooLow(t.Q, t.N);
  const Problem p{.target = ideal, .options = options};
  StepBudget budget(kDesignSteps);
  const Vector3 fromIdeal(std::log(t.C1), std::log(t.C2), std::log(t.R));
  Vector3 u = fromIdeal;
  if (options.transistor) {
    // The linear design with the datasheet's Coss is close: start from it.
    StageOptions linear = options;
    linear.transistor.reset();
    const Result<Solution> start = Solve({.target = ideal, .options = linear}, fromIdeal);
    if (start) u = start->u;
    // A junction's charge over the swing may leave room where the linear
    // Coss does not: start with a little capacitor, never with none.
    u(kC1) = std::max(u(kC1), std::log(kLeastStartCext * TransistorCoss(options)));
  }
  const Result<Solution> solution = Solve(p, u);
  if (!solution) {
    // Only a search that ran into the transistor's own capacitance asks for
    // the limits: anything else (a Po the switch's Ron cannot give) would
    // only be searched for again, at length, in vain.
    const bool atCoss = std::exp(p.stopped(kC1)) < kCossBound * TransistorCoss(options);
    if (options.transistor && atCoss) return TransistorLimits(p, u, solution.failure());
    return solution.failure();
  }
  u = solution->u;
  const int iteration = solution->iterations;
  Result<Stage> stage = StageAt(p, u);
  if (!stage) return stage.failure();
  Stage s = *stage;
  if (!options.transistor) {
    s.Coss = options.Coss;
    if (s.Coss > s.C1) return CossAboveC1(s.Coss, s.C1);
  }
  Result<SteadyState> steady = SolveSteadyState(s);
  if (!steady) return steady.failure();
  return ExactDesign{s, *steady, iteration, solution->residual};
}

}  // namespace classe::circuit
