// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/steady_state.h"

#include <cmath>

#include "engine/circuit/any_orbit.h"
#include "engine/circuit/orbit_measures.h"

namespace classe::circuit {
namespace {

// Samples over the open half before the drain peak is refined; the peak is a
// single smooth lobe there.
constexpr int kPeakSamples = 32;

// The drain peak over the open half: refined from samples where the drain
// is linear, the integrator's own maxima where it is not.
template <int n>
Extremum DrainPeak(const Orbit<n>& o) {
  const HalfSamples<n> half = SampleHalf<n>(o.open, o.start, 0, kHalfPeriod, kPeakSamples);
  return Maximum<n>(half, o.Balanced(MakeProbe<n>(o.stage, o.model, Quantity::DrainVoltage).open));
}
template <int n>
Extremum DrainPeak(const NonlinearOrbit<n>& o) {
  Extremum peak{o.start(kVD), 0};
  if (o.beforeTurnOn(kVD) > peak.value) peak = {o.beforeTurnOn(kVD), kHalfPeriod};
  for (std::size_t k = 0; k < o.trace.peakState.size(); ++k)
    if (o.trace.peakState[k](kVD) > peak.value)
      peak = {o.trace.peakState[k](kVD), o.trace.peakTeta[k]};
  return peak;
}

// With the ideal switch the charge on C1 above Von goes at once: the charge,
// C, and the energy, J, each time.
struct Dump {
  double charge = 0;
  double energy = 0;
};
Dump Discharge(const Stage& s, double vTurnOn) {
  const double drop = vTurnOn - s.Von;
  if (!s.transistor) return {s.C1 * drop, 0.5 * s.C1 * drop * drop};
  const double linear = s.C1 - s.Coss;
  const transistor::CossModel& coss = s.transistor->coss;
  // ∫ (u − Von)·C(u) du from Von to vTurnOn, by 8-point Gauss–Legendre.
  static constexpr double kNodes[] = {0.1834346424956498, 0.5255324099163290, 0.7966664774136267,
                                      0.9602898564975363};
  static constexpr double kWeights[] = {0.3626837833783620, 0.3137066458778873, 0.2223810344533745,
                                        0.1012285362903763};
  double energy = 0;
  for (int k = 0; k < 4; ++k)
    for (double sign : {-1.0, 1.0}) {
      const double u = s.Von + 0.5 * drop * (1 + sign * kNodes[k]);
      energy += kWeights[k] * (u - s.Von) * s.C1At(u);
    }
  energy *= 0.5 * drop;
  return {linear * drop + coss.charge(vTurnOn) - coss.charge(s.Von), energy};
}

template <template <int> class AnyOrbit, int n>
Result<SteadyState> Measure(const AnyOrbit<n>& o) {
  const Stage& s = o.stage;
  const PeriodMoments<n> moments(o);
  const auto probe = [&](Quantity q) { return MakeProbe<n>(s, ModelOf(o), q); };

  SteadyState r;
  const AugVector<n> xPi = TurnOnOf(o);
  const double vDrop = xPi(kVD) - s.Von;  // what the closing switch discharges
  PowerBudget& p = r.power;
  p.load = s.load.RL * moments.MeanSquare(probe(Quantity::LoadCurrent));
  r.idc = moments.Mean(probe(Quantity::L1Current));
  p.dc = s.Vcc * r.idc;
  const Probe<n> sw = probe(Quantity::SwitchCurrent);
  double charge = moments.Mean(sw);  // average switch current, A
  if (s.Ron > 0) {
    p.ron = s.Ron * moments.MeanSquare(sw);
    if (s.transistor) {
      // The closed half holds C1 at its value at Von; the spike that empties
      // the transistor's charge above Von at turn-on takes the true charge and
      // energy (both the same when the switch closes at Von).
      const double perSecond = s.omega / kPeriod;
      const double C = ClosedOf(o).stage.C1;
      const Dump dump = Discharge(s, xPi(kVD));
      charge += (dump.charge - C * vDrop) * perSecond;
      p.ron += (dump.energy - 0.5 * C * vDrop * vDrop) * perSecond;
    }
  } else {
    // The dump happens once a period: f = ω/2π times a second.
    const double perSecond = s.omega / kPeriod;
    const Dump dump = Discharge(s, xPi(kVD));
    charge += dump.charge * perSecond;
    p.discharge = dump.energy * perSecond;
  }
  p.von = s.Von * charge;
  p.l1 = Stage::ChokeEsr() * moments.MeanSquare(probe(Quantity::L1Current));
  p.l2 = s.Esr(s.L2) * moments.MeanSquare(probe(Quantity::BranchCurrent));
  p.networkL = s.Esr(s.load.L) * moments.MeanSquare(probe(Quantity::NetLCurrent));
  p.diode = DiodeLossOf(o);
  r.efficiency = p.load / p.dc;

  r.vTurnOn = xPi(kVD);
  r.slopeTurnOn = SlopeOf(o);
  const Extremum peak = DrainPeak(o);
  r.vPeak = peak.value;
  r.vPeakTeta = peak.teta;
  r.vonFraction = vDrop / r.vPeak;
  r.rho = o.SpectralRadius();
  const AugVector<n> x0 = StartOf(o);
  for (int i = 0; i < n; ++i)
    r.start[static_cast<std::size_t>(i)] = x0(i);

  const double all[] = {p.load,  p.dc,  p.ron,         p.von,        p.discharge,
                        p.l1,    p.l2,  p.networkL,    p.diode,      r.efficiency,
                        r.vPeak, r.rho, r.vonFraction, r.slopeTurnOn};
  for (double v : all)
    if (!std::isfinite(v)) return NonFinite("regime periodico");
  return r;
}

}  // namespace

Result<SteadyState> SolveSteadyState(const Stage& stage) {
  return WithAnyOrbit(stage, [](const auto& orbit) { return Measure(orbit); });
}

template <int n>
Result<SteadyState> MeasureSteadyState(const Orbit<n>& orbit) {
  return Measure(orbit);
}
template <int n>
Result<SteadyState> MeasureSteadyState(const NonlinearOrbit<n>& orbit) {
  return Measure(orbit);
}
template Result<SteadyState> MeasureSteadyState<4>(const Orbit<4>&);
template Result<SteadyState> MeasureSteadyState<5>(const Orbit<5>&);
template Result<SteadyState> MeasureSteadyState<6>(const Orbit<6>&);
template Result<SteadyState> MeasureSteadyState<4>(const NonlinearOrbit<4>&);
template Result<SteadyState> MeasureSteadyState<5>(const NonlinearOrbit<5>&);
template Result<SteadyState> MeasureSteadyState<6>(const NonlinearOrbit<6>&);

}  // namespace classe::circuit
